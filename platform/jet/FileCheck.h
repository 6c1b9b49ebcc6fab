#pragma once

#include <QString>

#include "JetError.h"

struct sqlite3;

namespace jet {

// Whether a database file that comes from outside may be used: opened only for reading
// with the password, its format stamp one this layer writes (or the previous release's),
// its objects exactly those that schemaSql makes (checkSchema) and every page sound
// (checkIntegrity). No trigger, view or function the file defines runs, and the engine's
// limits and a time limit bound the check on any file. No error when the file may be
// used; errFileNotFound when it is no regular file; errNewerFormat for the stamp of a newer
// release; errTableNotFound when a file otherwise sound lacks a table; errCannotOpen for anything
// else.
Error checkFile(const QString& path, const QString& password, const QString& schemaSql);

// The engine's limits of the check on a connection to a file from outside that is opened
// for another purpose (its journal mode turned): no trigger runs, and a file whose
// statements are longer or deeper than the system's fails to load.
void limitOutsideFile(sqlite3* db);

}  // namespace jet
