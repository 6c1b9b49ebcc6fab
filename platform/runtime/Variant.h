#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <variant>

#include "Currency.h"
#include "Date.h"

namespace vb {

class VariantArray;

// Type codes as the runtime's VarType reports them.
enum class VarType : int {
    Empty = 0,
    Null = 1,
    Integer = 2,
    Long = 3,
    Double = 5,
    Currency = 6,
    Date = 7,
    String = 8,
    Boolean = 11,
    Byte = 17,
    Array = 8204,  // an array of variants
};

struct NullValue {
    bool operator==(const NullValue&) const = default;
};
inline constexpr NullValue Null{};

// A value of any of the runtime's types. Conversions follow the runtime's rules and
// raise RuntimeError on a type mismatch, on Null or on overflow.
class Variant {
  public:
    Variant() = default;  // Empty
    Variant(NullValue) : value_(NullValue{}) {}
    Variant(bool value) : value_(value) {}
    Variant(uint8_t value) : value_(value) {}
    Variant(int16_t value) : value_(value) {}
    Variant(int32_t value) : value_(value) {}
    Variant(double value) : value_(value) {}
    Variant(Currency value) : value_(value) {}
    Variant(Date value) : value_(value) {}
    Variant(QString value) : value_(std::move(value)) {}
    Variant(const char* utf8) : value_(QString::fromUtf8(utf8)) {}
    Variant(const VariantArray& array);

    VarType type() const;
    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }
    bool isNull() const { return std::holds_alternative<NullValue>(value_); }
    bool isArray() const { return std::holds_alternative<ArrayPtr>(value_); }
    bool isString() const { return std::holds_alternative<QString>(value_); }
    bool isDate() const { return std::holds_alternative<Date>(value_); }
    bool isCurrency() const { return std::holds_alternative<Currency>(value_); }
    // A number, or Empty (which counts as 0).
    bool isNumeric() const;

    // CStr: a Double with up to fifteen significant digits as the runtime prints it
    // ("1.5", "0.0001", "1E+20"), dates as Date::toString, Empty as "".
    QString toString() const;
    bool toBool() const;          // CBool
    uint8_t toByte() const;       // CByte, halves to even
    int16_t toInteger() const;    // CInt, halves to even
    int32_t toLong() const;       // CLng, halves to even
    double toDouble() const;      // CDbl
    Currency toCurrency() const;  // CCur, halves to even at the fourth decimal
    Date toDate() const;          // CDate
    // The array held; raises type mismatch when the value is not an array.
    const VariantArray& array() const;

    // Same type and same value (Empty, Null and arrays included).
    bool operator==(const Variant& other) const;

  private:
    int64_t toWhole() const;  // rounded half to even, before the range check

    using ArrayPtr = std::shared_ptr<const VariantArray>;
    std::variant<std::monostate, NullValue, bool, uint8_t, int16_t, int32_t, double, Currency, Date,
                 QString, ArrayPtr>
        value_;
};

}  // namespace vb
