#pragma once

#include <sqlcipher/sqlite3.h>

#include <cstdint>

namespace jet {

// The running state of an exact Sum or Avg. Whole numbers and values with at most four
// decimals (currency amounts) are added exactly as ten-thousandths; once a value has
// more decimals the sum falls back to plain double addition.
class ExactSum {
  public:
    void add(sqlite3_value* value);
    // Null over no values, an integer when every value was one, else the double
    // nearest to the exact decimal sum.
    void resultSum(sqlite3_context* context) const;
    // Null over no values, else the double nearest to sum / count.
    void resultAverage(sqlite3_context* context) const;
    // Null over no values, else sum / count rounded half to even to a whole number: the
    // average of amounts kept as whole ten-thousandths.
    void resultRoundedAverage(sqlite3_context* context) const;

  private:
    __int128 exactTotal() const;  // in ten-thousandths
    double approximateTotal() const;

    __int128 integers_ = 0;        // the sum of the whole numbers
    __int128 tenThousandths_ = 0;  // and of the other values while they are exact
    double approximate_ = 0.0;     // and of the other values as doubles
    int64_t count_ = 0;
    bool allIntegers_ = true;
    bool exact_ = true;
};

}  // namespace jet
