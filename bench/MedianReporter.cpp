#include "MedianReporter.h"

#include <algorithm>

void MedianReporter::ReportRuns(const std::vector<Run>& reports) {
    for (const Run& run : reports) {
        const bool iteration = run.run_type == Run::RT_Iteration;
        if (!run.error_occurred && (iteration || run.aggregate_name == "median")) {
            const double seconds =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            const std::string& args = run.run_name.args;
            const std::string name =
                run.run_name.function_name + (args.empty() ? std::string() : "/" + args);
            (iteration ? times_ : medians_)[name].push_back(seconds * 1000.0);
        }
    }
    ConsoleReporter::ReportRuns(reports);
}

double MedianReporter::medianMs(const std::string& benchmark) const {
    auto found = times_.find(benchmark);
    if (found == times_.end()) {
        found = medians_.find(benchmark);
        if (found == medians_.end()) {
            return 0.0;
        }
    }
    std::vector<double> times = found->second;
    std::sort(times.begin(), times.end());
    const size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2.0;
}
