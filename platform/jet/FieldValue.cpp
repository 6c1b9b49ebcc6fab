#include "FieldValue.h"

#include <sqlcipher/sqlite3.h>

#include <limits>

#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

QString textOf(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

void readAsStored(sqlite3_stmt* statement, int column, Field& field) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER: {
            const int64_t value = sqlite3_column_int64(statement, column);
            if (value >= std::numeric_limits<int32_t>::min() &&
                value <= std::numeric_limits<int32_t>::max()) {
                field.type = adInteger;
                field.value = static_cast<int32_t>(value);
            } else {
                field.type = adDouble;
                field.value = static_cast<double>(value);
            }
            return;
        }
        case SQLITE_FLOAT:
            field.type = adDouble;
            field.value = sqlite3_column_double(statement, column);
            return;
        default:
            field.type = adVarWChar;
            field.value = textOf(statement, column);
    }
}

// Reads a number in the column's own type; false when the stored value is no number
// or does not fit.
bool readTyped(sqlite3_stmt* statement, int column, FieldType columnType, bool scaledCurrency,
               Field& field) {
    const int storage = sqlite3_column_type(statement, column);
    if (storage != SQLITE_INTEGER && storage != SQLITE_FLOAT) {
        return false;
    }
    try {
        switch (columnType) {
            case adDate:
                field.value = vb::Date::fromSerial(sqlite3_column_double(statement, column));
                break;
            case adCurrency:
                if (scaledCurrency && storage != SQLITE_INTEGER) {
                    // Beyond the whole numbers: an overflowing sum, shown as its plain value.
                    field.type = adDouble;
                    field.value = sqlite3_column_double(statement, column) / vb::Currency::Scale;
                    return true;
                }
                field.value =
                    scaledCurrency ? vb::Currency::fromRaw(sqlite3_column_int64(statement, column))
                    : storage == SQLITE_INTEGER
                        ? vb::Currency::fromInteger(sqlite3_column_int64(statement, column))
                        : vb::Currency::fromDouble(sqlite3_column_double(statement, column));
                break;
            case adBoolean:
                field.value = sqlite3_column_double(statement, column) != 0.0;
                break;
            default:
                return false;
        }
    } catch (const vb::RuntimeError&) {
        return false;
    }
    field.type = columnType;
    return true;
}

}  // namespace

void readFieldValue(sqlite3_stmt* statement, int column, FieldType columnType, bool scaledCurrency,
                    Field& field) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
        field.type = columnType;
        field.value = vb::Null;
        return;
    }
    if (!readTyped(statement, column, columnType, scaledCurrency, field)) {
        readAsStored(statement, column, field);
    }
}

}  // namespace jet
