#pragma once

#include <QString>
#include <cstdint>

#include "platform/jet/FileCheck.h"

// The check of a database file before anything uses it: a file that comes from outside the
// program (a backup, a restored folder, an earlier installation), or the data folder's own
// file at start-up.
namespace DatabaseCheck {

// A table of the system is not in a file that is otherwise sound.
constexpr int32_t TableMissing = -3078;
// The check did not end within its time limit: nothing is known of the file.
constexpr int32_t TimedOut = -3362;

// Whether the file holds the shipped database's tables, keys and nothing more, with a
// format stamp this build reads and every page sound, checked in bounded time without
// running anything the file defines. 0 when it may be opened; the database wrapper's codes
// otherwise: -1 no regular file, -1000 damaged or foreign (newerFormat, when given, tells
// whether it was a file of a newer release), TableMissing, TimedOut, or another negative
// code for a file in use.
int32_t Structure(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat = nullptr);

// The data folder's own file at start-up: recovered by the engine after a program was
// stopped while it wrote, then its stamp and objects checked as Structure checks them, at a
// cost that does not grow with its history, within the time limit given. The codes of
// Structure.
int32_t OwnFile(const QString& folder, const QString& fileName, const QString& password,
                bool* newerFormat = nullptr, qint64 milliseconds = jet::kObjectsCheckMilliseconds);

// Only the recovery of OwnFile, for the programs that read the file next: what is still
// wrong shows up in their reading.
void Recover(const QString& folder, const QString& fileName, const QString& password);

}  // namespace DatabaseCheck
