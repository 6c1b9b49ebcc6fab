#include "Decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "RuntimeError.h"

namespace vb {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

Decimal Decimal::fromDouble(double value, int significantDigits) {
    Decimal result;
    if (value == 0 || !std::isfinite(value)) {
        return result;
    }
    char buffer[64];
    const double magnitude = std::fabs(value);
    const std::to_chars_result written =
        significantDigits > 0 ? std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                              std::chars_format::scientific, significantDigits - 1)
                              : std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                              std::chars_format::scientific);
    const std::string text(buffer, written.ptr);
    const size_t e = text.find('e');
    for (size_t i = 0; i < e; ++i) {
        if (text[i] != '.') {
            result.digits_.push_back(text[i]);
        }
    }
    result.point_ = std::stoi(text.substr(e + 1)) + 1;
    result.negative_ = value < 0;
    result.normalize();
    return result;
}

Decimal Decimal::fromCurrency(Currency value) {
    Decimal result;
    const int64_t raw = value.raw();
    uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    result.digits_ = std::to_string(magnitude);
    result.point_ = static_cast<int>(result.digits_.size()) - 4;
    result.negative_ = raw < 0;
    result.normalize();
    return result;
}

std::optional<Decimal> Decimal::parse(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    Decimal result;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        result.negative_ = text[i] == u'-';
        ++i;
    }
    int wholeDigits = 0;
    bool anyDigit = false;
    while (i < n) {
        if (isDigit(text[i])) {
            result.digits_.push_back(static_cast<char>(text[i].unicode()));
            ++wholeDigits;
            anyDigit = true;
            ++i;
        } else if (text[i] == u',' && anyDigit && i + 1 < n && isDigit(text[i + 1])) {
            ++i;
        } else {
            break;
        }
    }
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            result.digits_.push_back(static_cast<char>(text[i].unicode()));
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    long exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            negativeExponent = text[i] == u'-';
            ++i;
        }
        if (i >= n || !isDigit(text[i])) {
            return std::nullopt;
        }
        while (i < n && isDigit(text[i])) {
            if (exponent < 100000) {
                exponent = exponent * 10 + (text[i].unicode() - u'0');
            }
            ++i;
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    while (i < n && isBlank(text[i])) {
        ++i;
    }
    if (i != n) {
        return std::nullopt;
    }
    result.point_ = wholeDigits + static_cast<int>(exponent);
    result.normalize();
    return result;
}

void Decimal::normalize() {
    size_t leading = 0;
    while (leading < digits_.size() && digits_[leading] == '0') {
        ++leading;
    }
    digits_.erase(0, leading);
    point_ -= static_cast<int>(leading);
    while (!digits_.empty() && digits_.back() == '0') {
        digits_.pop_back();
    }
    if (digits_.empty()) {
        negative_ = false;
        point_ = 0;
    }
}

Decimal Decimal::rounded(int decimals, Rounding rounding) const {
    const long keep = static_cast<long>(point_) + decimals;
    if (isZero() || keep >= static_cast<long>(digits_.size())) {
        return *this;
    }
    Decimal result;
    if (keep < 0) {
        return result;
    }
    const char dropped = digits_[keep];
    bool roundUp = dropped > '5';
    if (dropped == '5') {
        const bool moreBehind = keep + 1 < static_cast<long>(digits_.size());
        const bool previousOdd = keep > 0 && (digits_[keep - 1] - '0') % 2 == 1;
        roundUp = rounding == Rounding::HalfAwayFromZero || moreBehind || previousOdd;
    }
    result.negative_ = negative_;
    result.point_ = point_;
    result.digits_ = digits_.substr(0, keep);
    if (roundUp) {
        long i = keep - 1;
        while (i >= 0 && result.digits_[i] == '9') {
            result.digits_[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++result.digits_[i];
        } else {
            result.digits_.insert(result.digits_.begin(), '1');
            ++result.point_;
        }
    }
    result.normalize();
    return result;
}

std::string Decimal::integerDigits() const {
    if (point_ <= 0) {
        return {};
    }
    const size_t whole = static_cast<size_t>(point_);
    std::string result = digits_.substr(0, whole);
    result.append(whole - result.size(), '0');
    return result;
}

std::string Decimal::fractionDigits(int count) const {
    std::string result;
    for (int i = 0; i < count; ++i) {
        const long position = static_cast<long>(point_) + i;
        result.push_back(position >= 0 && position < static_cast<long>(digits_.size())
                             ? digits_[position]
                             : '0');
    }
    return result;
}

double Decimal::toDouble() const {
    if (isZero()) {
        return 0;
    }
    const std::string text = (negative_ ? "-0." : "0.") + digits_ + "e" + std::to_string(point_);
    double value = 0;
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + text.size(), value);
    if (read.ec == std::errc::result_out_of_range) {
        if (point_ < 0) {
            return 0;
        }
        throw RuntimeError(errOverflow);
    }
    return value;
}

Currency Decimal::toCurrency() const {
    const Decimal value = rounded(4, Rounding::HalfEven);
    const std::string whole = value.integerDigits();
    if (whole.size() > 15) {
        throw RuntimeError(errOverflow);
    }
    __int128 raw = 0;
    for (char digit : whole + value.fractionDigits(4)) {
        raw = raw * 10 + (digit - '0');
    }
    if (value.negative_) {
        raw = -raw;
    }
    if (raw > std::numeric_limits<int64_t>::max() || raw < std::numeric_limits<int64_t>::min()) {
        throw RuntimeError(errOverflow);
    }
    return Currency::fromRaw(static_cast<int64_t>(raw));
}

std::optional<int64_t> Decimal::toInt64() const {
    const std::string whole = integerDigits();
    if (whole.size() > 19) {
        return std::nullopt;
    }
    __int128 value = 0;
    for (char digit : whole) {
        value = value * 10 + (digit - '0');
    }
    if (negative_) {
        value = -value;
    }
    if (value > std::numeric_limits<int64_t>::max() ||
        value < std::numeric_limits<int64_t>::min()) {
        return std::nullopt;
    }
    return static_cast<int64_t>(value);
}

}  // namespace vb
