#include "ServerFieldValue.h"

#include <limits>

#include "ServerError.h"
#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

// Type numbers of the server's built-in types (pg_type.oid).
enum ServerType : unsigned int {
    boolType = 16,
    int8Type = 20,
    int2Type = 21,
    int4Type = 23,
    textType = 25,
    float4Type = 700,
    float8Type = 701,
    bpcharType = 1042,
    varcharType = 1043,
    dateType = 1082,
    timestampType = 1114,
    timestamptzType = 1184,
    numericType = 1700,
};

// A numeric's type modifier holds (precision << 16 | scale) + 4.
int numericScale(int typeModifier) {
    return typeModifier < 4 ? -1 : (typeModifier - 4) & 0xffff;
}

std::optional<vb::Date> dateOf(const QString& text) {
    // "2024-09-01 13:05:00.25": whole seconds are what a Date holds.
    const qsizetype fraction = text.indexOf(u'.');
    return vb::Date::parse(fraction < 0 ? QStringView(text) : QStringView(text).left(fraction));
}

void readAsSent(const QString& text, unsigned int typeOid, Field& field) {
    bool whole = false;
    const qlonglong integer = text.toLongLong(&whole);
    switch (typeOid) {
        case int2Type:
        case int4Type:
        case int8Type:
        case numericType:
        case float4Type:
        case float8Type:
            if (whole && integer >= std::numeric_limits<int32_t>::min() &&
                integer <= std::numeric_limits<int32_t>::max()) {
                field.type = adInteger;
                field.value = static_cast<int32_t>(integer);
            } else {
                field.type = adDouble;
                field.value = text.toDouble();
            }
            return;
        case boolType:
            field.type = adBoolean;
            field.value = text == u"t";
            return;
        case dateType:
        case timestampType:
        case timestamptzType:
            if (const std::optional<vb::Date> date = dateOf(text)) {
                field.type = adDate;
                field.value = *date;
                return;
            }
            break;
        default:
            break;
    }
    field.type = adVarWChar;
    field.value = text;
}

// How a value was read as its column's type asks.
enum class Reading { Typed, AsSent, Overflow };

Reading readTyped(const QString& text, FieldType columnType, Field& field) {
    try {
        switch (columnType) {
            case adCurrency: {
                // A plain decimal beyond the range throws the overflow.
                const std::optional<vb::Currency> amount = vb::Currency::parse(text);
                if (!amount) {
                    return Reading::AsSent;
                }
                field.value = *amount;
                break;
            }
            case adDate: {
                const std::optional<vb::Date> date = dateOf(text);
                if (!date) {
                    return Reading::AsSent;
                }
                field.value = *date;
                break;
            }
            case adBoolean:
                if (text == u"t" || text == u"f") {
                    field.value = text == u"t";
                    break;
                }
                field.value = text.toDouble() != 0.0;
                break;
            default:
                return Reading::AsSent;
        }
    } catch (const vb::RuntimeError& error) {
        return error.number() == vb::errOverflow ? Reading::Overflow : Reading::AsSent;
    }
    field.type = columnType;
    return Reading::Typed;
}

}  // namespace

FieldType serverFieldType(unsigned int typeOid, int typeModifier) {
    switch (typeOid) {
        case boolType:
            return adBoolean;
        case int2Type:
            return adSmallInt;
        case int4Type:
            return adInteger;
        case int8Type:
            return adBigInt;
        case float4Type:
        case float8Type:
            return adDouble;
        case textType:
        case bpcharType:
        case varcharType:
            return adVarWChar;
        case dateType:
        case timestampType:
        case timestamptzType:
            return adDate;
        case numericType:
            return numericScale(typeModifier) == 4 ? adCurrency : adEmpty;
        default:
            return adEmpty;
    }
}

Error readServerValue(const char* text, bool isNull, unsigned int typeOid, FieldType columnType,
                      Field& field) {
    if (isNull) {
        field.type = columnType;
        field.value = vb::Null;
        return {};
    }
    const QString value = QString::fromUtf8(text);
    switch (readTyped(value, columnType, field)) {
        case Reading::Typed:
            break;
        case Reading::AsSent:
            readAsSent(value, typeOid, field);
            break;
        case Reading::Overflow:
            return overflowError();
    }
    return {};
}

}  // namespace jet
