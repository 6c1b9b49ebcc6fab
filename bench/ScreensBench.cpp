// What a user waits for on the screens, with 2,000 products in 20 classes, April 2024
// closed and May's movement (today is 15 May 2024): opening the daily entry on a day
// with rows and registering that day, the rankings of the open month, the stock lists,
// the day's profit table; and the product master opened on one class of 2,000
// products. Screens run headless; message boxes are answered by the forms layer's test
// hook.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "BenchDatabase.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/runtime/Clock.h"
#include "screens/analysis/frmRanking.h"
#include "screens/analysis/frmRieki.h"
#include "screens/analysis/frmSyosuList.h"
#include "screens/menu/frmItem.h"
#include "screens/records/frmSireUriage.h"

namespace {

constexpr int kProducts = 2000;

const BenchDatabase& shop() {
    static const BenchDatabase instance(kProducts, 100, 15);
    instance.use();
    return instance;
}

const BenchDatabase& oneClass() {
    static const BenchDatabase instance(kProducts, kProducts, 0);
    instance.use();
    return instance;
}

// Shows the screen as the menu does (modeless, loaded by its first Show) and closes it;
// the screen must have shown what it read (shown() true).
template <typename Screen>
void showAndClose(benchmark::State& state, const BenchDatabase& database,
                  bool (*shown)(const Screen&)) {
    for (auto _ : state) {
        Screen screen;
        screen.SetDeleteOnUnload(false);
        screen.Show();
        if (!shown(screen)) {
            benchFailed("screen", QStringLiteral("nothing shown"));
        }
    }
    benchmark::DoNotOptimize(&database);
}

void BM_DailyEntryOpen(benchmark::State& state) {
    showAndClose<frmSireUriage>(state, shop(), [](const frmSireUriage& screen) {
        return screen.DayRowCount() == kProducts;
    });
}
BENCHMARK(BM_DailyEntryOpen)->Unit(benchmark::kMillisecond);

// The register button on the shown day, answered Yes: the day's 2,000 rows replaced and
// the day read again.
void BM_DailyEntryRegister(benchmark::State& state) {
    shop();
    frmSireUriage screen;
    screen.SetDeleteOnUnload(false);
    screen.Show();
    if (screen.DayRowCount() != kProducts) {
        benchFailed("daily entry", QString::number(screen.DayRowCount()));
    }
    for (auto _ : state) {
        forms::TestHook::enable();
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen.btnInsert_Click();
        if (forms::TestHook::msgBoxes().size() != 2) {
            benchFailed("register", forms::TestHook::msgBoxes().back().text);
        }
    }
}
BENCHMARK(BM_DailyEntryRegister)->Unit(benchmark::kMillisecond);

void BM_RankingOfTheOpenMonth(benchmark::State& state) {
    showAndClose<frmRanking>(state, shop(), [](const frmRanking& screen) {
        return screen.Tables().Products(RankingTables::Profit).count == kProducts;
    });
}
BENCHMARK(BM_RankingOfTheOpenMonth)->Unit(benchmark::kMillisecond);

void BM_StockLists(benchmark::State& state) {
    showAndClose<frmSyosuList>(state, shop(), [](const frmSyosuList& screen) {
        return screen.Lists().AllStockCount() == kProducts;
    });
}
BENCHMARK(BM_StockLists)->Unit(benchmark::kMillisecond);

void BM_ProfitTableOfADay(benchmark::State& state) {
    showAndClose<frmRieki>(state, shop(), [](const frmRieki& screen) {
        return screen.Table().ClassCount() == kProducts / 100;
    });
}
BENCHMARK(BM_ProfitTableOfADay)->Unit(benchmark::kMillisecond);

void BM_ProductMasterOfOneClass(benchmark::State& state) {
    showAndClose<frmItem>(state, oneClass(),
                          [](const frmItem& screen) { return screen.EGrid.Rows() >= kProducts; });
}
BENCHMARK(BM_ProductMasterOfOneClass)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    useOffscreenScreens();
    QApplication app(argc, argv);
    setUpScreens(vb::Date::fromYmdHms(2024, 5, 15, 9, 0, 0));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
