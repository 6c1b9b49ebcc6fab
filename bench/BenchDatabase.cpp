#include "BenchDatabase.h"

#include <sqlcipher/sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/MainModule.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/Connection.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Date.h"

namespace {

constexpr int kMay = 45413;    // 2024/5/1
constexpr int kApril = 45383;  // 2024/4/1

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        benchFailed(sql, QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

// A prepared statement whose rows are bound and stepped one after the other.
class Insert {
  public:
    Insert(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
            benchFailed(sql, QString::fromUtf8(sqlite3_errmsg(db)));
        }
    }
    ~Insert() { sqlite3_finalize(statement_); }

    Insert& text(int column, const QByteArray& value) {
        sqlite3_bind_text(statement_, column, value.constData(), -1, SQLITE_TRANSIENT);
        return *this;
    }
    Insert& number(int column, double value) {
        sqlite3_bind_double(statement_, column, value);
        return *this;
    }
    // An amount as the file keeps it: whole ten-thousandths.
    Insert& amount(int column, double value) {
        sqlite3_bind_int64(statement_, column, std::llround(value * 10000));
        return *this;
    }
    void step() {
        if (sqlite3_step(statement_) != SQLITE_DONE) {
            benchFailed("insert", QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement_))));
        }
        sqlite3_reset(statement_);
    }

  private:
    sqlite3_stmt* statement_ = nullptr;
};

}  // namespace

void benchFailed(const char* step, const QString& detail) {
    std::fprintf(stderr, "%s: %s\n", step, detail.toUtf8().constData());
    std::exit(1);
}

BenchDatabase::BenchDatabase(int products, int productsPerClass, int days, int closedYears) {
    if (!database_.isValid()) {
        benchFailed("copy", database_.error());
    }
    jet::Connection connection;
    if (jet::Error error =
            connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database_.filePath() +
                            ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";")) {
        benchFailed("open", error.description);
    }
    sqlite3* db = connection.handle();
    const auto classNo = [=](int product) {
        return QByteArray::number(product / productsPerClass + 1).rightJustified(3, '0');
    };
    const auto tradeNo = [=](int product) {
        return QByteArray::number(product % productsPerClass + 1).rightJustified(4, '0');
    };
    exec(db, "BEGIN");
    {
        Insert classes(db, "INSERT INTO ClassifyMast_tbl VALUES (?, ?)");
        for (int p = 0; p < products; p += productsPerClass) {
            classes.text(1, classNo(p)).text(2, "分類" + classNo(p)).step();
        }
        Insert masters(db,
                       "INSERT INTO TradeMast_tbl (Classify_No, Trade_No, Trade_Name, Unit_Price, "
                       "Sales_Price, basic_Quantity) VALUES (?, ?, ?, ?, ?, ?)");
        Insert april(db,
                     "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No, Classify_Name, "
                     "Trade_Name, Fix_Quantity, Aver_Quantity) VALUES (?, ?, ?, ?, ?, ?, ?)");
        for (int p = 0; p < products; ++p) {
            const QByteArray name = "商品" + tradeNo(p);
            masters.text(1, classNo(p))
                .text(2, tradeNo(p))
                .text(3, name)
                .amount(4, 12.5 + p % 9)
                .amount(5, 19.8 + p % 9)
                .amount(6, p % 11)
                .step();
            if (closedYears == 0) {
                april.number(1, kApril)
                    .text(2, classNo(p))
                    .text(3, tradeNo(p))
                    .text(4, "分類" + classNo(p))
                    .text(5, name)
                    .amount(6, p % 40)
                    .amount(7, p % 6)
                    .step();
            }
        }
        Insert daily(db, "INSERT INTO Management_Tbl VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        const auto movement = [&](int date, int day) {
            for (int p = 0; p < products; ++p) {
                daily.number(1, date)
                    .text(2, classNo(p))
                    .text(3, tradeNo(p))
                    .amount(4, (p + day) % 7)
                    .amount(5, 12.5 + day % 3)
                    .amount(6, ((p + day) % 7) * (12.5 + day % 3))
                    .amount(7, (p * 3 + day) % 5)
                    .amount(8, ((p * 3 + day) % 5) * 19.8)
                    .step();
            }
        };
        Insert closed(db,
                      "INSERT INTO FixDeta_tbl VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                      "?, ?, ?, ?, ?, ?)");
        for (int m = 12 * closedYears - 1; m >= 0; --m) {
            const vb::Date month = vb::Date::fromYmd(2024, 4 - m, 1);
            const int first = static_cast<int>(month.serial());
            const int monthDays = month.lastOfMonth().day();
            for (int day = 0; day < monthDays; ++day) {
                movement(first + day, day);
            }
            for (int p = 0; p < products; ++p) {
                closed.number(1, first)
                    .text(2, classNo(p))
                    .text(3, tradeNo(p))
                    .text(4, "分類" + classNo(p))
                    .text(5, "商品" + tradeNo(p))
                    .amount(6, 12.5 + p % 9)
                    .amount(7, 3 * monthDays)
                    .amount(8, 3 * monthDays * (12.5 + p % 9))
                    .amount(9, 19.8 + p % 9)
                    .amount(10, 2 * monthDays)
                    .amount(11, 2 * monthDays * 19.8)
                    .amount(12, p % 40)
                    .amount(13, p % 6)
                    .number(14, p / productsPerClass + 1)
                    .number(15, p / productsPerClass + 1)
                    .number(16, p / productsPerClass + 1)
                    .number(17, p + 1)
                    .number(18, p + 1)
                    .number(19, p + 1)
                    .step();
            }
        }
        for (int day = 0; day < days; ++day) {
            movement(kMay + day, day);
        }
    }
    exec(db, "COMMIT");
}

void BenchDatabase::use() const {
    MainModule::DBFileName = TestDatabase::fileName();
    MainModule::DBPassword = TestDatabase::password();
    MainModule::DBFolder = database_.folder();
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = vb::Date::fromYmd(2024, 4, 1);
}

void useOffscreenScreens() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

void setUpScreens(const vb::Date& today) {
    forms::TestHook::enable();
    vb::setClock(today);
    MainModule::SumDecimal = 0;
    MainModule::UnitDecimal = 0;
    MainModule::TradeFigure = 0;
}
