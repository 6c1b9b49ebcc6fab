#pragma once

#include <QString>
#include <cstdint>

// The check of a database file that comes from outside the program (a backup, a restored
// folder, an earlier installation, the file found at start-up) before anything uses it.
namespace DatabaseCheck {

// A table of the system is not in a file that is otherwise sound.
constexpr int32_t TableMissing = -3078;

// Whether the file holds the shipped database's tables, keys and nothing more, with a
// format stamp this build reads and every page sound, checked in bounded time without
// running anything the file defines. 0 when it may be opened; the database wrapper's codes
// otherwise: -1 no regular file, -1000 damaged or foreign (newerFormat, when given, tells
// whether it was a file of a newer release), TableMissing, or another negative code for
// a file in use.
int32_t Structure(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat = nullptr);

}  // namespace DatabaseCheck
