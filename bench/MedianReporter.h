#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, keeping the real time of every run (of every repetition) per
// benchmark, or the medians when only aggregates are reported, so that the program can
// set figures of one run against each other.
class MedianReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& reports) override;

    // The median real time per iteration of the benchmark's runs in milliseconds, by
    // name with its arguments ("BM_Name/10"); 0 when it did not run.
    double medianMs(const std::string& benchmark) const;

  private:
    std::map<std::string, std::vector<double>> times_;
    std::map<std::string, std::vector<double>> medians_;
};
