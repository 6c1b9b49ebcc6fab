#pragma once

#include <QString>
#include <vector>

#include "JetError.h"
#include "TableCheck.h"

struct sqlite3;

namespace jet {

// The time limit of the check of a file's stamp and objects: milliseconds are enough for a
// file of any history, so only a file made to keep the engine busy reaches it.
constexpr qint64 kObjectsCheckMilliseconds = 120000;

// Whether a database file that comes from outside may be used: opened only for reading
// with the password, its format stamp one this layer writes (or the previous release's),
// its objects exactly those that schemaSql makes (checkSchema) and every page sound
// (checkIntegrity). No trigger, view or function the file defines runs, and the engine's
// limits and a time limit that grows with the file's size bound the check on any file.
// No error when the file may be used; errFileNotFound when it is no regular file;
// errNewerFormat for the stamp of a newer release; errTableNotFound when a file otherwise
// sound lacks a table; errTimedOut when the time limit stopped the check; errCannotOpen for
// anything else.
Error checkFile(const QString& path, const QString& password, const QString& schemaSql);

// The same for a file written by an earlier release, of which only the tables are read: in
// place of the exact objects, each of the tables as checkTables has it, and only their pages
// and those of their indexes sound.
Error checkEarlierFile(const QString& path, const QString& password,
                       const std::vector<TableShape>& tables);

// Sets the time limit of checkFile and checkEarlierFile, for the whole process, to
// milliseconds in place of the one that grows with each file's size; a negative value
// gives that one back.
void setOutsideCheckMilliseconds(qint64 milliseconds);

// The engine's own recovery of a file of the data folder after a program was stopped while
// it wrote: opened for writing, with nothing of the file running, and read, so that a hot
// journal is rolled back. No error when the file could be read; the failure otherwise.
Error recoverFile(const QString& path, const QString& password);

// The check of the data folder's own file at start-up, at a cost that does not grow with
// its rows: recovered as recoverFile does, then its stamp and objects as checkFile checks
// them, without reading every page, within the time limit given. The errors of checkFile.
Error checkOwnFile(const QString& path, const QString& password, const QString& schemaSql,
                   qint64 milliseconds = kObjectsCheckMilliseconds);

// The engine's limits of the check on a connection to a file from outside that is opened
// for another purpose (its journal mode turned): no trigger runs, and a file whose
// statements are longer or deeper than the system's fails to load.
void limitOutsideFile(sqlite3* db);

}  // namespace jet
