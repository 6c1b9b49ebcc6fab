#include "Currency.h"

#include <cmath>
#include <limits>

#include "Decimal.h"
#include "RuntimeError.h"

namespace vb {

namespace {

enum class Mode { HalfEven, HalfAwayFromZero, TowardZero };

int64_t checked(__int128 value) {
    if (value > std::numeric_limits<int64_t>::max() ||
        value < std::numeric_limits<int64_t>::min()) {
        throw RuntimeError(errOverflow);
    }
    return static_cast<int64_t>(value);
}

// value / divisor rounded to a whole number by the given rule (divisor > 0).
__int128 divideRounded(__int128 value, __int128 divisor, Mode mode) {
    __int128 quotient = value / divisor;
    const __int128 remainder = value % divisor;
    if (remainder == 0 || mode == Mode::TowardZero) {
        return quotient;
    }
    const __int128 twice = (remainder < 0 ? -remainder : remainder) * 2;
    const bool away = twice > divisor ||
                      (twice == divisor && (mode == Mode::HalfAwayFromZero || quotient % 2 != 0));
    if (away) {
        quotient += value < 0 ? -1 : 1;
    }
    return quotient;
}

int64_t roundTo(int64_t raw, int decimals, Mode mode) {
    if (decimals < 0 || decimals > 4) {
        throw RuntimeError(errInvalidProcedureCall);
    }
    __int128 unit = 1;
    for (int i = decimals; i < 4; ++i) {
        unit *= 10;
    }
    return checked(divideRounded(raw, unit, mode) * unit);
}

}  // namespace

Currency Currency::fromWideRaw(__int128 tenThousandths) {
    return Currency(checked(tenThousandths));
}

Currency Currency::fromInteger(int64_t units) {
    return Currency(checked(static_cast<__int128>(units) * Scale));
}

// CCur rule: the double's shortest round-trip decimal digits, rounded half to even at
// the fourth decimal, so that a typed 0.00015 becomes 0.0002 as written.
Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e15) {
        throw RuntimeError(errOverflow);
    }
    return Decimal::fromDouble(value, 0).toCurrency();
}

std::optional<Currency> Currency::parse(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    bool digit = false;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= u'0' && text[i] <= u'9') {
            digit = true;
        } else if (text[i] == u'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digit) {
        return std::nullopt;
    }
    return Decimal::parse(text)->toCurrency();
}

Currency Currency::max() {
    return Currency(std::numeric_limits<int64_t>::max());
}

Currency Currency::min() {
    return Currency(std::numeric_limits<int64_t>::min());
}

double Currency::toDouble() const {
    constexpr int64_t exactLimit = int64_t{1} << 53;
    if (raw_ > -exactLimit && raw_ < exactLimit) {
        return static_cast<double>(raw_) / Scale;
    }
    return Decimal::fromCurrency(*this).toDouble();
}

QString Currency::toString() const {
    const uint64_t magnitude =
        raw_ < 0 ? 0 - static_cast<uint64_t>(raw_) : static_cast<uint64_t>(raw_);
    QString text = QString::number(magnitude / Scale);
    uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0')) {
            digits.chop(1);
        }
        text += u'.' + digits;
    }
    return raw_ < 0 ? u'-' + text : text;
}

Currency Currency::operator-() const {
    return Currency(checked(-static_cast<__int128>(raw_)));
}

Currency Currency::operator+(Currency other) const {
    return Currency(checked(static_cast<__int128>(raw_) + other.raw_));
}

Currency Currency::operator-(Currency other) const {
    return Currency(checked(static_cast<__int128>(raw_) - other.raw_));
}

Currency Currency::operator*(Currency other) const {
    const __int128 product = static_cast<__int128>(raw_) * other.raw_;
    return Currency(checked(divideRounded(product, Scale, Mode::HalfEven)));
}

Currency Currency::operator*(int64_t factor) const {
    return Currency(checked(static_cast<__int128>(raw_) * factor));
}

Currency Currency::abs() const {
    return raw_ < 0 ? -*this : *this;
}

Currency Currency::roundHalfEven(int decimals) const {
    return Currency(roundTo(raw_, decimals, Mode::HalfEven));
}

Currency Currency::roundHalfAwayFromZero(int decimals) const {
    return Currency(roundTo(raw_, decimals, Mode::HalfAwayFromZero));
}

Currency Currency::truncate(int decimals) const {
    return Currency(roundTo(raw_, decimals, Mode::TowardZero));
}

}  // namespace vb
