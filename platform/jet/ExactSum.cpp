#include "ExactSum.h"

#include <sqlcipher/sqlite3.h>

#include <cmath>
#include <limits>

namespace jet {

namespace {

constexpr int64_t kScale = 10000;

// The value as a count of ten-thousandths when it has at most four decimals. The
// division is correctly rounded, so a value written with four decimals compares equal.
bool toTenThousandths(double value, int64_t& scaled) {
    const double product = value * kScale;
    if (!std::isfinite(product) || std::fabs(product) >= 9.0e18) {
        return false;
    }
    scaled = std::llround(product);
    return static_cast<double>(scaled) / kScale == value;
}

double quotient(__int128 numerator, __int128 denominator) {
    constexpr __int128 exactLimit = __int128(1) << 53;
    if (numerator > -exactLimit && numerator < exactLimit && denominator < exactLimit) {
        return static_cast<double>(numerator) / static_cast<double>(denominator);
    }
    return static_cast<double>(static_cast<long double>(numerator) /
                               static_cast<long double>(denominator));
}

}  // namespace

void ExactSum::add(sqlite3_value* value) {
    const int type = sqlite3_value_numeric_type(value);
    if (type == SQLITE_NULL) {
        return;
    }
    ++count_;
    if (type == SQLITE_INTEGER) {
        integers_ += sqlite3_value_int64(value);
        return;
    }
    allIntegers_ = false;
    const double real = sqlite3_value_double(value);
    approximate_ += real;
    int64_t scaled = 0;
    if (exact_ && toTenThousandths(real, scaled)) {
        tenThousandths_ += scaled;
    } else {
        exact_ = false;
    }
}

__int128 ExactSum::exactTotal() const {
    return integers_ * kScale + tenThousandths_;
}

double ExactSum::approximateTotal() const {
    return static_cast<double>(integers_) + approximate_;
}

void ExactSum::resultSum(sqlite3_context* context) const {
    if (count_ == 0) {
        sqlite3_result_null(context);
        return;
    }
    if (allIntegers_ && integers_ >= std::numeric_limits<int64_t>::min() &&
        integers_ <= std::numeric_limits<int64_t>::max()) {
        sqlite3_result_int64(context, static_cast<int64_t>(integers_));
        return;
    }
    sqlite3_result_double(context, exact_ ? quotient(exactTotal(), kScale) : approximateTotal());
}

void ExactSum::resultAverage(sqlite3_context* context) const {
    if (count_ == 0) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_double(context, exact_ ? quotient(exactTotal(), __int128(kScale) * count_)
                                          : approximateTotal() / count_);
}

void ExactSum::resultRoundedAverage(sqlite3_context* context) const {
    if (count_ == 0) {
        sqlite3_result_null(context);
        return;
    }
    if (!allIntegers_) {
        sqlite3_result_int64(context, std::llround(approximateTotal() / count_));
        return;
    }
    const __int128 sum = integers_;
    __int128 quotient = sum / count_;
    const __int128 remainder = sum % count_;
    const __int128 twice = 2 * (remainder < 0 ? -remainder : remainder);
    if (twice > count_ || (twice == count_ && quotient % 2 != 0)) {
        quotient += sum < 0 ? -1 : 1;
    }
    sqlite3_result_int64(context, static_cast<int64_t>(quotient));
}

}  // namespace jet
