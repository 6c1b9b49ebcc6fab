#pragma once

#include "Recordset.h"

struct sqlite3_stmt;

namespace jet {

// Reads the value of one result column of the current row into the field, as the
// column's type asks (adEmpty: as the engine stored it):
// - adDate: the day serial as a Date; adBoolean: non-zero as True;
// - adCurrency: in a file that keeps whole ten-thousandths (scaledCurrency) the stored
//   whole number as they, else the number as Currency rounded half to even at the fourth
//   decimal;
// - otherwise integers as Long (Double when they do not fit), reals as Double, texts
//   as strings; Null as Null.
// A value that the type cannot hold is read as stored; the field's type then follows the
// value.
void readFieldValue(sqlite3_stmt* statement, int column, FieldType columnType, bool scaledCurrency,
                    Field& field);

}  // namespace jet
