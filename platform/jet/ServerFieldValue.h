#pragma once

#include <QByteArray>

#include "JetError.h"
#include "Recordset.h"

namespace jet {

// The field type of a server column type: numeric with four decimals (the schema's
// currency columns) is adCurrency, timestamp and date adDate, the integers, texts,
// floating-point numbers and Booleans their own; adEmpty for numeric without a scale
// (a sum, a difference) and anything else, whose type is then found from the statement.
FieldType serverFieldType(unsigned int typeOid, int typeModifier);

// Reads a value that the server sent as text into the field, as the column's type asks
// (adEmpty: as the server's type says):
// - adCurrency: the exact decimal as Currency, rounded half to even at the fourth
//   decimal; adDate: the timestamp as a Date; adBoolean: true or non-zero as True;
// - otherwise integers and whole numerics as Long (Double when they do not fit), other
//   numbers as Double, texts as strings; Null as Null.
// A value that the type cannot hold is read as the server's type says; the field's type
// then follows the value. A number beyond the range of a currency column is the overflow
// (errExecution) that the file gives for it.
Error readServerValue(const char* text, bool isNull, unsigned int typeOid, FieldType columnType,
                      Field& field);

}  // namespace jet
