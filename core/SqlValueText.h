#pragma once

#include <QString>
#include <concepts>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Variant.h"

// The one way a value is written into the text of a Jet SQL statement. Independent of
// the locale, so that what the user typed is always data and never statement text.
namespace SqlValueText {

// Between single quotes, an embedded single quote doubled: O'Neil -> 'O''Neil'.
QString Text(const QString& value);

// "#yyyy/m/d#" (the system stores days; a time of day is not written).
QString DateValue(const vb::Date& value);

// Plain decimal numbers in the C locale: "1234567.8912", "-5", "0.0001".
QString Number(const vb::Currency& value);
QString Number(double value);  // non-finite values raise run-time error 5
QString Number(long long value);
template <std::integral T>
QString Number(T value) {
    return Number(static_cast<long long>(value));
}

// By the variant's type: strings as Text, dates as DateValue, numbers as Number,
// Boolean as -1 or 0, Empty and Null as Null. An array raises run-time error 13.
QString Value(const vb::Variant& value);

}  // namespace SqlValueText
