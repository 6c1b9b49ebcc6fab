// The main program's start before its menu (the check of the data folder's database and
// the four loaders) on a shop of 300 products, 300 movement rows a day, with 1 and 10
// closed years of history. The time should not grow with the history.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFileInfo>

#include "BenchDatabase.h"
#include "core/MainModule.h"

namespace {

constexpr int kProducts = 300;

const BenchDatabase& shop(int years) {
    static const BenchDatabase oneYear(kProducts, 30, 0, 1);
    static const BenchDatabase tenYears(kProducts, 30, 0, 10);
    const BenchDatabase& chosen = years == 1 ? oneYear : tenYears;
    chosen.use();
    return chosen;
}

void BM_StartBeforeTheMenu(benchmark::State& state) {
    const BenchDatabase& database = shop(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int32_t (*load)() : {MainModule::CheckDatabase, MainModule::LoadSystemId,
                                  MainModule::LoadBasicSettings, MainModule::LoadLastCloseDate}) {
            if (const int32_t result = load(); result < 0) {
                benchFailed("start", QString::number(result));
            }
        }
        int32_t failure = 0;
        MainModule::CheckMasterData(&failure);
        if (failure < 0) {
            benchFailed("masters", QString::number(failure));
        }
    }
    state.counters["MB"] = static_cast<double>(QFileInfo(database.filePath()).size()) / 1e6;
}
BENCHMARK(BM_StartBeforeTheMenu)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
