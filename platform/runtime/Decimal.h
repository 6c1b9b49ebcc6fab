#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <string>

#include "Currency.h"

namespace vb {

// An exact decimal number: sign, significant digits and the position of the decimal
// point (value = 0.d1d2d3... x 10^point). The runtime converts numbers through it
// so that rounding works on decimal digits, never on binary fractions.
class Decimal {
  public:
    enum class Rounding { HalfEven, HalfAwayFromZero };

    Decimal() = default;

    // The decimal digits of a finite double: its shortest round-trip form when
    // significantDigits is 0, else rounded to that many significant digits.
    static Decimal fromDouble(double value, int significantDigits);
    static Decimal fromCurrency(Currency value);
    // A number text in the C locale: blanks around it, an optional sign, digits
    // (commas allowed between digits of the whole part), an optional decimal point
    // and an optional exponent (E or D). Nothing for any other text.
    static std::optional<Decimal> parse(QStringView text);

    bool isZero() const { return digits_.empty(); }
    bool isNegative() const { return negative_; }
    const std::string& digits() const { return digits_; }
    int point() const { return point_; }

    // Rounded to the given number of decimals (negative: to tens, hundreds, ...).
    Decimal rounded(int decimals, Rounding rounding) const;
    // Digits of the whole part, "" when it is zero.
    std::string integerDigits() const;
    // The first count digits after the decimal point.
    std::string fractionDigits(int count) const;

    // Nearest double; raises overflow beyond the double range.
    double toDouble() const;
    // Rounded half to even at the fourth decimal; raises overflow out of range.
    Currency toCurrency() const;
    // The whole part when it fits in 64 bits.
    std::optional<int64_t> toInt64() const;

  private:
    void normalize();

    bool negative_ = false;
    std::string digits_;  // no leading or trailing zeros; empty for zero
    int point_ = 0;
};

}  // namespace vb
