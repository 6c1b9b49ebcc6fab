// Cost of one database operation as the wrapper runs it: open and key the file, run a
// statement, read the records, close. On a keyed file of 200,000 movement rows.

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/jet/Connection.h"
#include "platform/jet/Recordset.h"

namespace {

constexpr int kDays = 400;
constexpr int kProductsPerDay = 500;  // 400 x 500 = 200,000 rows

const char* const kSchema = R"(
CREATE TABLE Management_Tbl (
    Input_Date DATETIME NOT NULL,
    Classify_No TEXT NOT NULL,
    Trade_No TEXT NOT NULL,
    Cost_Quantity CURRENCY,
    Unit_Price CURRENCY,
    Cost_Money CURRENCY,
    Sales_Quantity CURRENCY,
    Sales_Money CURRENCY,
    PRIMARY KEY (Input_Date, Classify_No, Trade_No)
);)";

const QString kPassword = QStringLiteral("KORUMA4VXTB");

// Binds an amount as the file keeps it: whole ten-thousandths.
void bindAmount(sqlite3_stmt* statement, int index, double amount) {
    sqlite3_bind_int64(statement, index, std::llround(amount * 10000));
}

void fail(const char* step, const jet::Error& error) {
    std::fprintf(stderr, "%s: %d %s\n", step, error.number, error.description.toUtf8().constData());
    std::exit(1);
}

// The keyed database, made once for all benchmarks.
const QString& connectionText() {
    static QTemporaryDir dir;
    static const QString text = [] {
        const QString path = dir.filePath(QStringLiteral("morvik2.mde"));
        if (jet::Error error = jet::createDatabase(path, kPassword, QString::fromUtf8(kSchema))) {
            fail("create", error);
        }
        const QString text = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") +
                             path + QStringLiteral(";Jet OLEDB:Database Password=") + kPassword +
                             u';';
        jet::Connection connection;
        if (jet::Error error = connection.open(text)) {
            fail("open", error);
        }
        sqlite3* db = connection.handle();
        sqlite3_stmt* insert = nullptr;
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db, "INSERT INTO Management_Tbl VALUES (?, ?, ?, ?, ?, ?, ?, ?)", -1,
                           &insert, nullptr);
        const int firstDay = 45292;  // 2024/1/1
        for (int day = 0; day < kDays; ++day) {
            for (int product = 0; product < kProductsPerDay; ++product) {
                const QByteArray classify = QByteArray::number(product / 50).rightJustified(3, '0');
                const QByteArray trade = QByteArray::number(product).rightJustified(4, '0');
                sqlite3_bind_int(insert, 1, firstDay + day);
                sqlite3_bind_text(insert, 2, classify.constData(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(insert, 3, trade.constData(), -1, SQLITE_TRANSIENT);
                bindAmount(insert, 4, product % 7);
                bindAmount(insert, 5, 12.5);
                bindAmount(insert, 6, (product % 7) * 12.5);
                bindAmount(insert, 7, product % 5);
                bindAmount(insert, 8, (product % 5) * 19.8);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        return text;
    }();
    return text;
}

// Opens, runs the query, reads every record and closes; returns the number of records.
int64_t query(const QString& sql) {
    jet::Connection connection;
    if (jet::Error error = connection.open(connectionText())) {
        fail("open", error);
    }
    jet::Recordset records;
    if (jet::Error error = records.open(sql, connection)) {
        fail("query", error);
    }
    int64_t count = 0;
    for (; !records.eof(); records.moveNext()) {
        for (int i = 0; i < records.fieldCount(); ++i) {
            benchmark::DoNotOptimize(records.value(i));
        }
        ++count;
    }
    records.close();
    connection.close();
    return count;
}

void BM_OpenCountClose(benchmark::State& state) {
    connectionText();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            query("SELECT COUNT(*)  FROM Management_Tbl Where Input_Date = #2024/9/15#"));
    }
}
BENCHMARK(BM_OpenCountClose)->Unit(benchmark::kMicrosecond);

void BM_OpenDaySelectClose(benchmark::State& state) {
    connectionText();
    int64_t rows = 0;
    for (auto _ : state) {
        rows = query(
            "SELECT Input_Date , Classify_No , Trade_No , Cost_Quantity , Unit_Price , "
            "Cost_Money , Sales_Quantity , Sales_Money FROM Management_Tbl Where Input_Date = "
            "#2024/9/15# ORDER BY Classify_No , Trade_No");
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenDaySelectClose)->Unit(benchmark::kMicrosecond);

// A month's sums per product, as the month-end reads them.
void BM_OpenMonthSumsClose(benchmark::State& state) {
    connectionText();
    int64_t rows = 0;
    for (auto _ : state) {
        rows = query(
            "SELECT Classify_No , Trade_No , SumCost , SumMoney FROM (SELECT Classify_No , "
            "Trade_No , Sum(Cost_Quantity) AS SumCost , Sum(Sales_Money) AS SumMoney From "
            "Management_Tbl WHERE Input_Date Between #2024/9/1# And #2024/9/30# GROUP BY "
            "Classify_No , Trade_No ORDER BY Classify_No , Trade_No) AS ThisMonthDeta");
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_OpenMonthSumsClose)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer timer;
    timer.start();
    connectionText();
    std::fprintf(stderr, "setup (key derivation, 200,000 rows): %lld ms\n",
                 static_cast<long long>(timer.elapsed()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
