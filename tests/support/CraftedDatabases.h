#pragma once

#include <QString>
#include <vector>

// Damaged or foreign database files that a program must refuse where it expects the
// shipped keyed database: each is made at a path from a copy of the shipped file.
namespace CraftedDatabases {

enum class Kind {
    Damaged,       // the engine cannot open or read it: code -1000
    MissingTable,  // opens, but a table of the system is not there
};

struct Case {
    const char* name;
    Kind kind;
    // Writes the file at path (replacing a file there); an empty result, or what failed.
    QString (*make)(const QString& path);
};

const std::vector<Case>& all();

}  // namespace CraftedDatabases
