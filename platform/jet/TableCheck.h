#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "JetError.h"
#include "Recordset.h"

struct sqlite3;

namespace jet {

// A table that a reader needs, with the columns it reads by name and the kind each must be
// declared as: adVarWChar a text, adDate a date, adCurrency any number.
struct TableShape {
    QString name;
    std::vector<std::pair<QString, FieldType>> columns;
};

// Whether each table is a plain table of the open file with its columns declared of their
// kinds (other columns, other tables and other orders do not matter), and whether reading
// it and checking its pages runs nothing the file defines: no generated column, and no
// index on an expression or with a condition. Nothing of the file is read but its schema.
// No error when they are; errTableNotFound when a table is missing; errCannotOpen else.
Error checkTables(sqlite3* db, const std::vector<TableShape>& tables);

}  // namespace jet
