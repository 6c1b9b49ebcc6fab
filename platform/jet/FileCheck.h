#pragma once

#include <QString>
#include <vector>

#include "JetError.h"
#include "TableCheck.h"

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

// The same for a file written by an earlier release, of which only the tables are read: in
// place of the exact objects, each of the tables as checkTables has it, and only their pages
// and those of their indexes sound.
Error checkEarlierFile(const QString& path, const QString& password,
                       const std::vector<TableShape>& tables);

}  // namespace jet
