#pragma once

#include <QString>

#include "platform/runtime/Date.h"
#include "tests/support/TestDatabase.h"

// A copy of the shipped keyed database filled for the benchmarks: `products` products
// in classes of `productsPerClass`, April 2024 closed with a stock for each, and
// `days` days of movement from 1 May 2024 for every product. With `closedYears`, the
// months of that many years up to April are closed too, each with a day's movement
// for every product on each of its days and its stored close with sums and ranks.
class BenchDatabase {
  public:
    BenchDatabase(int products, int productsPerClass, int days, int closedYears = 0);

    // Points the settings record at the copy, with April the last closed month.
    void use() const;
    QString filePath() const { return database_.filePath(); }

  private:
    TestDatabase database_;
};

// The settings of a screens benchmark, before its QApplication is made: the offscreen
// platform unless another is asked for. After it is made: message boxes answered by the
// test hook, today on the clock, whole-number quantities, prices and product numbers.
void useOffscreenScreens();
void setUpScreens(const vb::Date& today);

// Ends the benchmark program with the step that failed.
[[noreturn]] void benchFailed(const char* step, const QString& detail);
