#pragma once

#include <QString>
#include <cstdint>

// Whether a database file is one of this system's.
namespace DataFileCheck {

// Checks the file as DatabaseCheck::Structure does (the shipped tables and keys and
// nothing more, a known format stamp, every page sound, in bounded time), then reads the
// settings that start-up reads as start-up checks them. 1 when basic_tbl has a row, 0
// when it has none, or the first failure: -1 no such file, -1000 a damaged or foreign file, -503 a
// setting or the last closed month start-up refuses, DatabaseCheck::TimedOut when the check ran
// out of time, another negative code for a missing table.
// newerFormat, when given, tells whether a -1000 was a file written in the format of a
// newer release rather than a damaged one.
int32_t BasicRows(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat = nullptr);

}  // namespace DataFileCheck
