#pragma once

#include <QString>

#include "JetError.h"

struct sqlite3;

namespace jet {

// Opens the file with the password and reads every page of its tables and indexes,
// checking their structure, that every index matches its table's rows (reads through a
// broken index answer wrongly without any error) and, for a keyed file, that each page
// decrypts. No error when the file is sound; errCannotOpen when it is damaged; the failure
// of opening it otherwise.
Error checkIntegrity(const QString& path, const QString& password);
// The same on a file open in db.
Error checkIntegrity(sqlite3* db);
// The same for one table of the file and its indexes only.
Error checkTableIntegrity(sqlite3* db, const QString& table);

}  // namespace jet
