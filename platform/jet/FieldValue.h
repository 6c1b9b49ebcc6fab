#pragma once

#include "Recordset.h"

struct sqlite3_stmt;

namespace jet {

// Reads the value of one result column of the current row into the field, as the
// column's type asks (adEmpty: as the engine stored it):
// - adDate: the day serial as a Date; adCurrency: the number as Currency rounded half
//   to even at the fourth decimal; adBoolean: non-zero as True;
// - otherwise integers as Long (Double when they do not fit), reals as Double, texts
//   as strings; Null as Null.
// A value that the type cannot hold is read as stored; the field's type then follows the
// value.
void readFieldValue(sqlite3_stmt* statement, int column, FieldType columnType, Field& field);

}  // namespace jet
