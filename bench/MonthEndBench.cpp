// The month-end close of 2,000 products with 30 days of movement (60,000 daily rows) and
// the inventory table of an open month two months after the last close, on a copy of the
// shipped keyed database.

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <cstdio>
#include <cstdlib>

#include "core/MainModule.h"
#include "platform/jet/Connection.h"
#include "platform/runtime/Date.h"
#include "screens/monthend/InventoryTable.h"
#include "screens/monthend/MonthClose.h"
#include "tests/support/TestDatabase.h"

namespace {

constexpr int kProducts = 2000;
constexpr int kProductsPerClass = 100;
constexpr int kDays = 30;
constexpr int kMay = 45413;    // 2024/5/1
constexpr int kApril = 45383;  // 2024/4/1

void fail(const char* step, const QString& detail) {
    std::fprintf(stderr, "%s: %s\n", step, detail.toUtf8().constData());
    std::exit(1);
}

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(sql, QString::fromUtf8(sqlite3_errmsg(db)));
    }
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        fail(sql, QString::fromUtf8(sqlite3_errmsg(db)));
    }
    return statement;
}

QByteArray classNo(int product) {
    return QByteArray::number(product / kProductsPerClass + 1).rightJustified(3, '0');
}

QByteArray tradeNo(int product) {
    return QByteArray::number(product % kProductsPerClass + 1).rightJustified(4, '0');
}

// The masters, April closed, May's daily rows: made once for all benchmarks.
void prepareDatabase() {
    static TestDatabase database;
    static const bool ready = [] {
        if (!database.isValid()) {
            fail("copy", database.error());
        }
        MainModule::DBFileName = TestDatabase::fileName();
        MainModule::DBPassword = TestDatabase::password();
        MainModule::DBFolder = database.folder();
        jet::Connection connection;
        if (jet::Error error = connection.open(
                "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";")) {
            fail("open", error.description);
        }
        sqlite3* db = connection.handle();
        exec(db, "BEGIN");
        sqlite3_stmt* classes = prepare(db, "INSERT INTO ClassifyMast_tbl VALUES (?, ?)");
        for (int c = 0; c < kProducts / kProductsPerClass; ++c) {
            const QByteArray no = classNo(c * kProductsPerClass);
            sqlite3_bind_text(classes, 1, no.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(classes, 2, ("分類" + no).constData(), -1, SQLITE_TRANSIENT);
            sqlite3_step(classes);
            sqlite3_reset(classes);
        }
        sqlite3_finalize(classes);
        sqlite3_stmt* products =
            prepare(db,
                    "INSERT INTO TradeMast_tbl (Classify_No, Trade_No, Trade_Name, Unit_Price, "
                    "Sales_Price) VALUES (?, ?, ?, ?, ?)");
        sqlite3_stmt* april =
            prepare(db,
                    "INSERT INTO FixDeta_tbl (FixDate, Classify_No, Trade_No, Fix_Quantity) VALUES "
                    "(?, ?, ?, ?)");
        for (int p = 0; p < kProducts; ++p) {
            const QByteArray c = classNo(p);
            const QByteArray t = tradeNo(p);
            sqlite3_bind_text(products, 1, c.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(products, 2, t.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(products, 3, ("商品" + t).constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(products, 4, 12.5 + p % 9);
            sqlite3_bind_double(products, 5, 19.8 + p % 9);
            sqlite3_step(products);
            sqlite3_reset(products);
            sqlite3_bind_int(april, 1, kApril);
            sqlite3_bind_text(april, 2, c.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(april, 3, t.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(april, 4, p % 40);
            sqlite3_step(april);
            sqlite3_reset(april);
        }
        sqlite3_finalize(products);
        sqlite3_finalize(april);
        sqlite3_stmt* daily =
            prepare(db, "INSERT INTO Management_Tbl VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        for (int day = 0; day < kDays; ++day) {
            for (int p = 0; p < kProducts; ++p) {
                const QByteArray c = classNo(p);
                const QByteArray t = tradeNo(p);
                sqlite3_bind_int(daily, 1, kMay + day);
                sqlite3_bind_text(daily, 2, c.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(daily, 3, t.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(daily, 4, (p + day) % 7);
                sqlite3_bind_double(daily, 5, 12.5 + day % 3);
                sqlite3_bind_double(daily, 6, ((p + day) % 7) * (12.5 + day % 3));
                sqlite3_bind_int(daily, 7, (p * 3 + day) % 5);
                sqlite3_bind_double(daily, 8, ((p * 3 + day) % 5) * 19.8);
                sqlite3_step(daily);
                sqlite3_reset(daily);
            }
        }
        sqlite3_finalize(daily);
        exec(db, "COMMIT");
        connection.close();
        return true;
    }();
    benchmark::DoNotOptimize(ready);
    MainModule::HasCloseDate = true;
    MainModule::LastCloseDate = vb::Date::fromYmd(2024, 4, 1);
}

// Reads, computes and stores May (replacing the rows of the previous run).
void BM_MonthClose(benchmark::State& state) {
    prepareDatabase();
    for (auto _ : state) {
        MonthClose close(vb::Date::fromYmd(2024, 5, 1));
        if (close.Calculate() != MonthClose::Ready || close.Save() < 0) {
            fail("close", QStringLiteral("failed"));
        }
        benchmark::DoNotOptimize(close.Rows());
    }
    state.counters["products"] = kProducts;
}
BENCHMARK(BM_MonthClose)->Unit(benchmark::kMillisecond);

// The reads and the computation alone, without the store.
void BM_MonthCloseCalculate(benchmark::State& state) {
    prepareDatabase();
    for (auto _ : state) {
        MonthClose close(vb::Date::fromYmd(2024, 5, 1));
        benchmark::DoNotOptimize(close.Calculate());
    }
}
BENCHMARK(BM_MonthCloseCalculate)->Unit(benchmark::kMillisecond);

// June with April the last closed month: April's stock plus May's movement.
void BM_InventoryOfAnOpenMonthAfterAGap(benchmark::State& state) {
    prepareDatabase();
    for (auto _ : state) {
        InventoryTable table;
        if (!table.Load(vb::Date::fromYmd(2024, 6, 1), QStringLiteral("在庫管理表")) ||
            table.RowCount() != kProducts) {
            fail("inventory", QStringLiteral("failed"));
        }
        benchmark::DoNotOptimize(table.Total());
    }
}
BENCHMARK(BM_InventoryOfAnOpenMonthAfterAGap)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
