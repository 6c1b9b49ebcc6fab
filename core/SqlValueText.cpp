#include "SqlValueText.h"

#include <array>
#include <charconv>
#include <cmath>

#include "platform/runtime/RuntimeError.h"

namespace SqlValueText {

QString Text(const QString& value) {
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString DateValue(const vb::Date& value) {
    return QStringLiteral("#%1/%2/%3#").arg(value.year()).arg(value.month()).arg(value.day());
}

QString Number(const vb::Currency& value) {
    return value.toString();
}

QString Number(double value) {
    if (!std::isfinite(value)) {
        throw vb::RuntimeError(vb::errInvalidProcedureCall);
    }
    // Shortest fixed form that reads back as the same double; never an exponent.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

QString Number(long long value) {
    return QString::number(value);
}

QString Value(const vb::Variant& value) {
    switch (value.type()) {
        case vb::VarType::Empty:
        case vb::VarType::Null:
            return QStringLiteral("Null");
        case vb::VarType::Boolean:
            return value.toBool() ? QStringLiteral("-1") : QStringLiteral("0");
        case vb::VarType::Byte:
        case vb::VarType::Integer:
        case vb::VarType::Long:
            return Number(static_cast<long long>(value.toLong()));
        case vb::VarType::Double:
            return Number(value.toDouble());
        case vb::VarType::Currency:
            return Number(value.toCurrency());
        case vb::VarType::Date:
            return DateValue(value.toDate());
        case vb::VarType::String:
            return Text(value.toString());
        case vb::VarType::Array:
            break;
    }
    throw vb::RuntimeError(vb::errTypeMismatch);
}

}  // namespace SqlValueText
