#include "Variant.h"

#include <cmath>
#include <limits>

#include "Decimal.h"
#include "RuntimeError.h"
#include "VariantArray.h"

namespace vb {

namespace {

template <class... F>
struct Overload : F... {
    using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;

[[noreturn]] void raise(ErrorNumber number) {
    throw RuntimeError(number);
}

Decimal numberText(const QString& text) {
    const std::optional<Decimal> number = Decimal::parse(text);
    if (!number) {
        raise(errTypeMismatch);
    }
    return *number;
}

// CStr of a Double: fifteen significant digits, as the runtime prints a Double;
// exponent form ("1E+20", "1.5E-05") below 0.0001 and from 1E+15 on.
QString doubleText(double value) {
    if (std::isnan(value)) {
        return QStringLiteral("NaN");
    }
    if (std::isinf(value)) {
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    }
    const Decimal number = Decimal::fromDouble(value, 15);
    if (number.isZero()) {
        return QStringLiteral("0");
    }
    const std::string& digits = number.digits();
    const int exponent = number.point() - 1;
    std::string text = number.isNegative() ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) {
            text += "." + digits.substr(1);
        }
        const int magnitude = std::abs(exponent);
        text += exponent < 0 ? "E-" : "E+";
        text += (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
    } else {
        const std::string whole = number.integerDigits();
        text += whole.empty() ? "0" : whole;
        const int decimals = static_cast<int>(digits.size()) - number.point();
        if (decimals > 0) {
            text += "." + number.fractionDigits(decimals);
        }
    }
    return QString::fromStdString(text);
}

// Rounds half to even to a whole number (CLng, CInt, CByte).
int64_t wholeHalfEven(double value) {
    if (!std::isfinite(value) || std::fabs(value) >= 9.2e18) {
        raise(errOverflow);
    }
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2) != 0)) {
        whole += 1;
    }
    return static_cast<int64_t>(whole);
}

template <class T>
T checkedWhole(int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
        raise(errOverflow);
    }
    return static_cast<T>(value);
}

}  // namespace

Variant::Variant(const VariantArray& array) : value_(std::make_shared<const VariantArray>(array)) {}

VarType Variant::type() const {
    return std::visit(Overload{
                          [](std::monostate) { return VarType::Empty; },
                          [](NullValue) { return VarType::Null; },
                          [](bool) { return VarType::Boolean; },
                          [](uint8_t) { return VarType::Byte; },
                          [](int16_t) { return VarType::Integer; },
                          [](int32_t) { return VarType::Long; },
                          [](double) { return VarType::Double; },
                          [](Currency) { return VarType::Currency; },
                          [](Date) { return VarType::Date; },
                          [](const QString&) { return VarType::String; },
                          [](const ArrayPtr&) { return VarType::Array; },
                      },
                      value_);
}

bool Variant::isNumeric() const {
    switch (type()) {
        case VarType::Empty:
        case VarType::Boolean:
        case VarType::Byte:
        case VarType::Integer:
        case VarType::Long:
        case VarType::Double:
        case VarType::Currency:
            return true;
        default:
            return false;
    }
}

QString Variant::toString() const {
    return std::visit(
        Overload{
            [](std::monostate) { return QString(); },
            [](NullValue) -> QString { raise(errInvalidUseOfNull); },
            [](bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); },
            [](uint8_t v) { return QString::number(v); },
            [](int16_t v) { return QString::number(v); },
            [](int32_t v) { return QString::number(v); },
            [](double v) { return doubleText(v); },
            [](Currency v) { return v.toString(); },
            [](Date v) { return v.toString(); },
            [](const QString& v) { return v; },
            [](const ArrayPtr&) -> QString { raise(errTypeMismatch); },
        },
        value_);
}

bool Variant::toBool() const {
    if (const QString* text = std::get_if<QString>(&value_)) {
        const QString word = text->trimmed();
        if (word.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (word.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) {
            return false;
        }
        return !numberText(*text).isZero();
    }
    if (const Currency* money = std::get_if<Currency>(&value_)) {
        return money->raw() != 0;
    }
    if (const bool* flag = std::get_if<bool>(&value_)) {
        return *flag;
    }
    return toDouble() != 0;
}

// CLng, CInt and CByte round half to even: CLng(2.5) = 2, CLng(3.5) = 4.
int32_t Variant::toLong() const {
    return checkedWhole<int32_t>(toWhole());
}

int16_t Variant::toInteger() const {
    return checkedWhole<int16_t>(toWhole());
}

uint8_t Variant::toByte() const {
    return checkedWhole<uint8_t>(toWhole());
}

int64_t Variant::toWhole() const {
    if (const QString* text = std::get_if<QString>(&value_)) {
        const std::optional<int64_t> whole =
            numberText(*text).rounded(0, Decimal::Rounding::HalfEven).toInt64();
        if (!whole) {
            raise(errOverflow);
        }
        return *whole;
    }
    if (const Currency* money = std::get_if<Currency>(&value_)) {
        return money->roundHalfEven(0).raw() / Currency::Scale;
    }
    return wholeHalfEven(toDouble());
}

double Variant::toDouble() const {
    return std::visit(Overload{
                          [](std::monostate) { return 0.0; },
                          [](NullValue) -> double { raise(errInvalidUseOfNull); },
                          [](bool v) { return v ? -1.0 : 0.0; },
                          [](uint8_t v) { return static_cast<double>(v); },
                          [](int16_t v) { return static_cast<double>(v); },
                          [](int32_t v) { return static_cast<double>(v); },
                          [](double v) { return v; },
                          [](Currency v) { return v.toDouble(); },
                          [](Date v) { return v.serial(); },
                          [](const QString& v) { return numberText(v).toDouble(); },
                          [](const ArrayPtr&) -> double { raise(errTypeMismatch); },
                      },
                      value_);
}

Currency Variant::toCurrency() const {
    return std::visit(Overload{
                          [](std::monostate) { return Currency(); },
                          [](NullValue) -> Currency { raise(errInvalidUseOfNull); },
                          [](bool v) { return Currency::fromInteger(v ? -1 : 0); },
                          [](uint8_t v) { return Currency::fromInteger(v); },
                          [](int16_t v) { return Currency::fromInteger(v); },
                          [](int32_t v) { return Currency::fromInteger(v); },
                          [](double v) { return Currency::fromDouble(v); },
                          [](Currency v) { return v; },
                          [](Date v) { return Currency::fromDouble(v.serial()); },
                          [](const QString& v) { return numberText(v).toCurrency(); },
                          [](const ArrayPtr&) -> Currency { raise(errTypeMismatch); },
                      },
                      value_);
}

Date Variant::toDate() const {
    return std::visit(Overload{
                          [](std::monostate) { return Date(); },
                          [](NullValue) -> Date { raise(errInvalidUseOfNull); },
                          [](Date v) { return v; },
                          [](const QString& v) {
                              const std::optional<Date> date = Date::parse(v);
                              if (!date) {
                                  raise(errTypeMismatch);
                              }
                              return *date;
                          },
                          [](const ArrayPtr&) -> Date { raise(errTypeMismatch); },
                          [this](const auto&) { return Date::fromSerial(toDouble()); },
                      },
                      value_);
}

const VariantArray& Variant::array() const {
    if (const ArrayPtr* held = std::get_if<ArrayPtr>(&value_)) {
        return **held;
    }
    raise(errTypeMismatch);
}

bool Variant::operator==(const Variant& other) const {
    const ArrayPtr* mine = std::get_if<ArrayPtr>(&value_);
    const ArrayPtr* theirs = std::get_if<ArrayPtr>(&other.value_);
    if (mine && theirs) {
        return **mine == **theirs;
    }
    return value_ == other.value_;
}

}  // namespace vb
