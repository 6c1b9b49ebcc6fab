// A user's session on a shop of 2,000 products in 20 classes with three closed years of
// history (May 2021 to April 2024, each month with a day's movement for every product
// on each of its days) and a full open month (1 to 30 May 2024, today 30 May): each
// operation alone, then all of them one after the other as a session runs them. Beside
// them the floor (decrypting and scanning the open month's pages), a plain copy and
// flush of the backup's files, and the month operations with 1, 3 and 10 years of
// closed history. Screens run headless; message boxes are answered by the forms layer's
// test hook.

#include <benchmark/benchmark.h>
#include <sqlcipher/sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "BenchDatabase.h"
#include "MedianReporter.h"
#include "backup/BackupRoot.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/jet/Session.h"
#include "platform/runtime/Clock.h"
#include "platform/shell/DurableFiles.h"
#include "screens/analysis/frmRanking.h"
#include "screens/analysis/frmRieki.h"
#include "screens/analysis/frmSyosuList.h"
#include "screens/menu/frmItem.h"
#include "screens/monthend/InventoryTable.h"
#include "screens/monthend/MonthClose.h"
#include "screens/monthend/frmZiko.h"
#include "screens/records/frmSireUriage.h"
#include "screens/records/frmZanMentnans.h"

namespace {

constexpr int kProducts = 2000;
constexpr int kPerClass = 100;
constexpr int kDays = 30;
constexpr int kYears = 3;

// The shop with that many closed years, built once; May closed once already so that
// the monthly maintenance shows its 2,000 rows and every close replaces them.
const BenchDatabase& shop(int years = kYears) {
    static std::map<int, std::unique_ptr<BenchDatabase>> shops;
    std::unique_ptr<BenchDatabase>& instance = shops[years];
    if (!instance) {
        instance = std::make_unique<BenchDatabase>(kProducts, kPerClass, kDays, years);
        instance->use();
        MonthClose close(vb::Date::fromYmd(2024, 5, 1));
        if (close.Calculate() != MonthClose::Ready || close.Save() < 0) {
            benchFailed("first close", QStringLiteral("failed"));
        }
    }
    instance->use();
    return *instance;
}

// Shows the screen as the menu does (modeless, loaded by its first Show) and closes it;
// true when it showed what it read.
template <typename Screen, typename Shown>
bool showAndClose(Shown shown) {
    Screen screen;
    screen.SetDeleteOnUnload(false);
    screen.Show();
    return shown(screen);
}

bool dailyEntryShown(const frmSireUriage& screen) {
    return screen.DayRowCount() == kProducts;
}

// The register button on the shown day, answered Yes: the day's 2,000 rows replaced and
// the day read again.
bool registerDay(frmSireUriage& screen) {
    forms::TestHook::enable();
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    return forms::TestHook::msgBoxes().size() == 2 && dailyEntryShown(screen);
}

bool monthlyMaintenance() {
    return showAndClose<frmZanMentnans>(
        [](const frmZanMentnans& screen) { return screen.MonthRowCount() == kProducts; });
}

bool productMaster() {
    return showAndClose<frmItem>(
        [](const frmItem& screen) { return screen.EGrid.Rows() >= kPerClass; });
}

bool inventoryScreen() {
    return showAndClose<frmZiko>(
        [](const frmZiko& screen) { return screen.Table().RowCount() == kProducts; });
}

bool rankings() {
    return showAndClose<frmRanking>([](const frmRanking& screen) {
        return screen.Tables().Products(RankingTables::Profit).count == kProducts;
    });
}

bool stockLists() {
    return showAndClose<frmSyosuList>(
        [](const frmSyosuList& screen) { return screen.Lists().AllStockCount() == kProducts; });
}

bool profitTable() {
    return showAndClose<frmRieki>([](const frmRieki& screen) {
        return screen.Table().ClassCount() == kProducts / kPerClass;
    });
}

bool monthClose() {
    MonthClose close(vb::Date::fromYmd(2024, 5, 1));
    return close.Calculate() == MonthClose::Ready && close.Save() >= 0;
}

bool inventoryTable() {
    InventoryTable table;
    return table.Load(vb::Date::fromYmd(2024, 5, 1), QStringLiteral("在庫管理表")) &&
           table.RowCount() == kProducts;
}

// A folder backup of the database, as the restore screen makes it; its name, "" when
// it failed.
QString folderBackup() {
    const BackupRoot root(QFileInfo(shop().filePath()).path());
    return root.create({shop().filePath()}, vb::Now());
}

void removeBackup(const QString& name) {
    if (name.isEmpty() || !BackupRoot(QFileInfo(shop().filePath()).path()).remove(name)) {
        benchFailed("backup", QStringLiteral("failed"));
    }
}

// The 95th percentile (nearest rank) of the repetitions.
double p95(const std::vector<double>& values) {
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    const size_t rank = static_cast<size_t>(std::ceil(0.95 * static_cast<double>(sorted.size())));
    return sorted[std::max<size_t>(rank, 1) - 1];
}

void settings(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)->ComputeStatistics("p95", p95);
}

void runAlone(benchmark::State& state, bool (*operation)()) {
    shop();
    for (auto _ : state) {
        if (!operation()) {
            benchFailed("operation", QStringLiteral("failed"));
        }
    }
}

void BM_DailyEntryOpen(benchmark::State& state) {
    runAlone(state, [] { return showAndClose<frmSireUriage>(dailyEntryShown); });
}
BENCHMARK(BM_DailyEntryOpen)->Apply(settings);

void BM_DailyEntryRegister(benchmark::State& state) {
    shop();
    frmSireUriage screen;
    screen.SetDeleteOnUnload(false);
    screen.Show();
    for (auto _ : state) {
        if (!registerDay(screen)) {
            benchFailed("register", forms::TestHook::msgBoxes().back().text);
        }
    }
}
BENCHMARK(BM_DailyEntryRegister)->Apply(settings);

void BM_MonthlyMaintenance(benchmark::State& state) {
    runAlone(state, monthlyMaintenance);
}
BENCHMARK(BM_MonthlyMaintenance)->Apply(settings);

void BM_ProductMasterOfAClass(benchmark::State& state) {
    runAlone(state, productMaster);
}
BENCHMARK(BM_ProductMasterOfAClass)->Apply(settings);

void BM_InventoryScreen(benchmark::State& state) {
    runAlone(state, inventoryScreen);
}
BENCHMARK(BM_InventoryScreen)->Apply(settings);

void BM_InventoryTableOfTheOpenMonth(benchmark::State& state) {
    runAlone(state, inventoryTable);
}
BENCHMARK(BM_InventoryTableOfTheOpenMonth)->Apply(settings);

void BM_RankingsOfTheOpenMonth(benchmark::State& state) {
    runAlone(state, rankings);
}
BENCHMARK(BM_RankingsOfTheOpenMonth)->Apply(settings);

void BM_StockLists(benchmark::State& state) {
    runAlone(state, stockLists);
}
BENCHMARK(BM_StockLists)->Apply(settings);

void BM_ProfitTableOfADay(benchmark::State& state) {
    runAlone(state, profitTable);
}
BENCHMARK(BM_ProfitTableOfADay)->Apply(settings);

void BM_MonthClose(benchmark::State& state) {
    runAlone(state, monthClose);
}
BENCHMARK(BM_MonthClose)->Apply(settings);

// Each backup is removed again outside the timing.
void BM_FolderBackup(benchmark::State& state) {
    shop();
    for (auto _ : state) {
        const QString name = folderBackup();
        state.PauseTiming();
        removeBackup(name);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FolderBackup)->Apply(settings);

// The same files copied into a new folder beside them and flushed with the folder; the
// copies are removed outside the timing.
void BM_CopyAndFlushBackupFiles(benchmark::State& state) {
    const QString file = shop().filePath();
    const QString folder = QFileInfo(file).path() + "/copy";
    for (auto _ : state) {
        if (!QDir().mkdir(folder) ||
            !shell::copyToNewFile(file, folder + "/" + QFileInfo(file).fileName()) ||
            !shell::syncFolder(folder) || !shell::syncFolder(QFileInfo(file).path())) {
            benchFailed("copy", folder);
        }
        state.PauseTiming();
        shell::removeTree(folder);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyAndFlushBackupFiles)->Apply(settings);

// Every row of May's pages read with its columns: on a new connection (the pages
// decrypted) and again on the same one (the pages cached).
void scanMay(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT Input_Date, Classify_No, Trade_No, Cost_Quantity, Cost_Money, "
                       "Sales_Quantity, Sales_Money FROM Management_Tbl WHERE Input_Date "
                       "BETWEEN 45413 AND 45443",
                       -1, &statement, nullptr);
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < 7; ++column) {
            benchmark::DoNotOptimize(sqlite3_column_value(statement, column));
        }
        ++rows;
    }
    sqlite3_finalize(statement);
    // Registering a day keeps only its rows with movement.
    if (rows < kProducts * (kDays - 1)) {
        benchFailed("scan", QString::number(rows));
    }
}

sqlite3* openShop() {
    sqlite3* db = nullptr;
    if (jet::Error error =
            jet::openKeyed(shop().filePath(), TestDatabase::password(), false, 2000, db)) {
        benchFailed("open", error.description);
    }
    return db;
}

void BM_FloorMonthPagesDecrypted(benchmark::State& state) {
    openShop();
    for (auto _ : state) {
        sqlite3* db = openShop();
        scanMay(db);
        sqlite3_close_v2(db);
    }
}
BENCHMARK(BM_FloorMonthPagesDecrypted)->Apply(settings);

// With the page cache of a kept session, so that the pages stay decrypted.
void BM_FloorMonthPagesCached(benchmark::State& state) {
    sqlite3* db = openShop();
    sqlite3_exec(db, "PRAGMA cache_size = -65536", nullptr, nullptr, nullptr);
    scanMay(db);
    for (auto _ : state) {
        scanMay(db);
    }
    sqlite3_close_v2(db);
}
BENCHMARK(BM_FloorMonthPagesCached)->Apply(settings);

// Every operation once per iteration in a user's order; each one's own time per
// iteration is a counter in ms.
void BM_UserSession(benchmark::State& state) {
    shop();
    using Clock = std::chrono::steady_clock;
    std::vector<std::pair<const char*, double>> spent;
    const auto timed = [&spent](size_t step, const char* name, auto operation) {
        const Clock::time_point start = Clock::now();
        const bool done = operation();
        if (spent.size() <= step) {
            spent.emplace_back(name, 0.0);
        }
        spent[step].second +=
            std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (!done) {
            benchFailed("session", QString::fromUtf8(name));
        }
    };
    for (auto _ : state) {
        std::unique_ptr<frmSireUriage> entry;
        timed(0, "DailyEntryOpen", [&entry] {
            entry = std::make_unique<frmSireUriage>();
            entry->SetDeleteOnUnload(false);
            entry->Show();
            return dailyEntryShown(*entry);
        });
        timed(1, "DailyEntryRegister", [&entry] { return registerDay(*entry); });
        entry.reset();
        timed(2, "ProductMasterOfAClass", productMaster);
        timed(3, "InventoryScreen", inventoryScreen);
        timed(4, "RankingsOfTheOpenMonth", rankings);
        timed(5, "StockLists", stockLists);
        timed(6, "ProfitTableOfADay", profitTable);
        timed(7, "MonthClose", monthClose);
        timed(8, "MonthlyMaintenance", monthlyMaintenance);
        QString backup;
        timed(9, "FolderBackup", [&backup] {
            backup = folderBackup();
            return !backup.isEmpty();
        });
        state.PauseTiming();
        removeBackup(backup);
        state.ResumeTiming();
    }
    for (const auto& [name, ms] : spent) {
        state.counters[std::string(name) + "_ms"] =
            benchmark::Counter(ms, benchmark::Counter::kAvgIterations);
    }
}
BENCHMARK(BM_UserSession)->Apply(settings);

// The month operations on shops with 1, 3 and 10 closed years.
void history(benchmark::internal::Benchmark* benchmark) {
    settings(benchmark->Arg(1)->Arg(kYears)->Arg(10));
}

void runOnHistory(benchmark::State& state, bool (*operation)()) {
    shop(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        if (!operation()) {
            benchFailed("operation", QStringLiteral("failed"));
        }
    }
}

void BM_HistoryMonthClose(benchmark::State& state) {
    runOnHistory(state, monthClose);
}
BENCHMARK(BM_HistoryMonthClose)->Apply(history);

void BM_HistoryInventoryScreen(benchmark::State& state) {
    runOnHistory(state, inventoryScreen);
}
BENCHMARK(BM_HistoryInventoryScreen)->Apply(history);

void BM_HistoryRankings(benchmark::State& state) {
    runOnHistory(state, rankings);
}
BENCHMARK(BM_HistoryRankings)->Apply(history);

void BM_HistoryStockLists(benchmark::State& state) {
    runOnHistory(state, stockLists);
}
BENCHMARK(BM_HistoryStockLists)->Apply(history);

void BM_HistoryMonthlyMaintenance(benchmark::State& state) {
    runOnHistory(state, monthlyMaintenance);
}
BENCHMARK(BM_HistoryMonthlyMaintenance)->Apply(history);

// Prints a ratio of two medians of this run when both ran.
void printRatio(const MedianReporter& reporter, const char* label, const std::string& over,
                const std::string& under) {
    const double top = reporter.medianMs(over);
    const double bottom = reporter.medianMs(under);
    if (top > 0.0 && bottom > 0.0) {
        std::printf("%s: %.1f ms / %.1f ms = %.2f\n", label, top, bottom, top / bottom);
    }
}

}  // namespace

int main(int argc, char** argv) {
    useOffscreenScreens();
    QApplication app(argc, argv);
    setUpScreens(vb::Date::fromYmdHms(2024, 5, 30, 9, 0, 0));
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatio(reporter, "folder backup / copy and flush", "BM_FolderBackup",
               "BM_CopyAndFlushBackupFiles");
    for (const char* operation :
         {"BM_HistoryMonthClose", "BM_HistoryInventoryScreen", "BM_HistoryRankings",
          "BM_HistoryStockLists", "BM_HistoryMonthlyMaintenance"}) {
        printRatio(reporter, (std::string(operation) + " 10 years / 1 year").c_str(),
                   std::string(operation) + "/10", std::string(operation) + "/1");
    }
    return 0;
}
