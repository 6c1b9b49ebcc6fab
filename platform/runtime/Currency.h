#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>

namespace vb {

// Fixed-point money: a signed 64-bit count of ten-thousandths. Arithmetic is exact;
// a result outside the range raises run-time error 6 (overflow) instead of wrapping.
class Currency {
  public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(int64_t tenThousandths) { return Currency(tenThousandths); }
    // A wider count of ten-thousandths, such as an exact sum; overflow outside the range.
    static Currency fromWideRaw(__int128 tenThousandths);
    static Currency fromInteger(int64_t units);
    // Rounds to four decimals, halves to the even neighbour (the runtime's CCur rule).
    static Currency fromDouble(double value);
    // Exact decimal text such as "-1234567.8912" or "12"; more than four decimals are
    // rounded half to even. Nothing for text that is not a plain decimal number.
    static std::optional<Currency> parse(QStringView text);

    static Currency max();
    static Currency min();

    constexpr int64_t raw() const { return raw_; }
    double toDouble() const;
    // Shortest plain decimal form in the C locale: "1234567.8912", "0.0001", "-5".
    QString toString() const;

    Currency operator-() const;
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    // Exact product rounded to four decimals, halves to even.
    Currency operator*(Currency other) const;
    Currency operator*(int64_t factor) const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }

    Currency abs() const;
    // Rounds to the given number of decimals (0 to 4).
    Currency roundHalfEven(int decimals) const;
    Currency roundHalfAwayFromZero(int decimals) const;
    // Drops the decimals beyond the given number, towards zero.
    Currency truncate(int decimals) const;

    constexpr auto operator<=>(const Currency&) const = default;

  private:
    explicit constexpr Currency(int64_t raw) : raw_(raw) {}
    int64_t raw_ = 0;
};

}  // namespace vb
