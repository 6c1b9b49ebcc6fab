#pragma once

#include <QString>

#include "JetError.h"

struct sqlite3;

namespace jet {

// Compares the objects of the open file (tables, their statements, the indexes of their
// keys) with those that schemaSql makes, without reading a row or running anything the
// file's statements define. No error when they are the same; errCannotOpen for a
// difference (another column, type or key, a trigger, view, index or table that schemaSql
// does not make); errTableNotFound when all that differs is that tables of schemaSql are
// not tables of the file.
Error checkSchema(sqlite3* db, const QString& schemaSql);

}  // namespace jet
