// The month-end close of 2,000 products with 30 days of movement (60,000 daily rows) and
// the inventory tables of the open months one and two months after the last close, on a
// copy of the shipped keyed database; against them the bare engine's one statement that
// sums the same month, on a connection of its own.

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <cstdio>

#include "BenchDatabase.h"
#include "MedianReporter.h"
#include "platform/jet/Session.h"
#include "platform/runtime/Date.h"
#include "screens/monthend/InventoryTable.h"
#include "screens/monthend/MonthClose.h"

namespace {

constexpr int kProducts = 2000;

const BenchDatabase& database() {
    static const BenchDatabase instance(kProducts, 100, 30);
    instance.use();
    return instance;
}

// Reads, computes and stores May (replacing the rows of the previous run).
void BM_MonthClose(benchmark::State& state) {
    database();
    for (auto _ : state) {
        MonthClose close(vb::Date::fromYmd(2024, 5, 1));
        if (close.Calculate() != MonthClose::Ready || close.Save() < 0) {
            benchFailed("close", QStringLiteral("failed"));
        }
        benchmark::DoNotOptimize(close.Rows());
    }
    state.counters["products"] = kProducts;
}
BENCHMARK(BM_MonthClose)->Unit(benchmark::kMillisecond);

// The reads and the computation alone, without the store.
void BM_MonthCloseCalculate(benchmark::State& state) {
    database();
    for (auto _ : state) {
        MonthClose close(vb::Date::fromYmd(2024, 5, 1));
        benchmark::DoNotOptimize(close.Calculate());
    }
}
BENCHMARK(BM_MonthCloseCalculate)->Unit(benchmark::kMillisecond);

// May's sums per product as one statement of the bare engine with its own sum and
// average: open and key the file, read every row, close.
void BM_BareMonthAggregate(benchmark::State& state) {
    const QString path = database().filePath();
    int rows = 0;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        if (jet::Error error = jet::openKeyed(path, TestDatabase::password(), false, 2000, db)) {
            benchFailed("open", error.description);
        }
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT Classify_No, Trade_No, sum(Cost_Quantity), sum(Cost_Money), "
                           "sum(Sales_Quantity), sum(Sales_Money), avg(Sales_Quantity) FROM "
                           "Management_Tbl WHERE Input_Date BETWEEN 45413 AND 45443 GROUP BY "
                           "Classify_No, Trade_No ORDER BY Classify_No, Trade_No",
                           -1, &statement, nullptr);
        rows = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            ++rows;
        }
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
    }
    if (rows != kProducts) {
        benchFailed("bare aggregate", QString::number(rows));
    }
}
BENCHMARK(BM_BareMonthAggregate)->Unit(benchmark::kMillisecond);

// Loads the inventory table of a month of 2024 until the benchmark ends.
void loadInventory(benchmark::State& state, int month) {
    database();
    for (auto _ : state) {
        InventoryTable table;
        if (!table.Load(vb::Date::fromYmd(2024, month, 1), QStringLiteral("在庫管理表")) ||
            table.RowCount() != kProducts) {
            benchFailed("inventory", QStringLiteral("failed"));
        }
        benchmark::DoNotOptimize(table.Total());
    }
}

// June with April the last closed month: April's stock plus May's movement.
void BM_InventoryOfAnOpenMonthAfterAGap(benchmark::State& state) {
    loadInventory(state, 6);
}
BENCHMARK(BM_InventoryOfAnOpenMonthAfterAGap)->Unit(benchmark::kMillisecond);

// May, the month after the last closed one, with its own 60,000 daily rows.
void BM_InventoryOfAnOpenMonthWithItsRows(benchmark::State& state) {
    loadInventory(state, 5);
}
BENCHMARK(BM_InventoryOfAnOpenMonthWithItsRows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double close = reporter.medianMs("BM_MonthClose");
    const double bare = reporter.medianMs("BM_BareMonthAggregate");
    if (close > 0.0 && bare > 0.0) {
        std::printf("close %.1f ms / bare one-statement aggregate %.1f ms = %.2f\n", close, bare,
                    close / bare);
    }
    return 0;
}
