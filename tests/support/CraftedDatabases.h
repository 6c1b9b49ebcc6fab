#pragma once

#include <QString>
#include <vector>

// Damaged or foreign database files that a program must refuse where it expects one of
// the shipped databases: each is made at a path from a copy of the keyed "morvik2.mde"
// (for a password) or of the plain "morvik2.mdb" (for an empty one).
namespace CraftedDatabases {

enum class Kind {
    Damaged,       // the engine cannot open or read it: code -1000
    MissingTable,  // opens, but a table of the system is not there
    Foreign,       // sound, but holds what the system never makes or an unknown stamp: -1000
    BadSettings,   // the system's own tables with a value start-up refuses: -503
};

struct Case {
    const char* name;
    Kind kind;
    // The one table the fault lies in, or nullptr where it reaches the whole file.
    const char* table;
    // Writes the file at path (replacing a file there); an empty result, or what failed.
    QString (*make)(const QString& path, const QString& password);
};

const std::vector<Case>& all();

// Sound files that the check of a database from outside refuses: objects the system never
// makes (triggers that would hang, empty or block the data when run, a generated column
// that keeps a reading busy, views, indexes, tables, other column types), a format stamp
// no release writes, and settings rows that start-up refuses.
const std::vector<Case>& outside();

// A copy of the shipped database with the first page of the table damaged.
QString withFlippedPage(const QString& path, const QString& password, const char* table);
// Damages the first page of the table in the database at path, as a failing disk does.
QString flipPage(const QString& path, const QString& password, const char* table);

// A copy of the shipped database stamped with the format after the one this build writes,
// as a newer release of the program would leave it: sound, but not to be read by this one.
QString withNewerFormat(const QString& path, const QString& password);

// A copy of the shipped database with two product classes whose primary-key index no
// longer matches the rows: every page is sound, the index names a class that is not stored.
QString withMismatchedIndex(const QString& path, const QString& password);

}  // namespace CraftedDatabases
