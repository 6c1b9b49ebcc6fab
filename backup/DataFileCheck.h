#pragma once

#include <QString>
#include <cstdint>

// Whether a database file is one of this system's.
namespace DataFileCheck {

// Opens the file with the password and counts the rows of each of the system's tables:
// the row count of basic_tbl, or the database wrapper's negative result code for the
// first table that could not be counted (-1 no such file, -1000 the file cannot be
// opened with the password, another negative code for a missing table); -1000 as well
// when a page of the file is damaged. newerFormat, when given, tells whether a -1000 was
// a file written in the format of a newer release rather than a damaged one.
int32_t BasicRows(const QString& folder, const QString& fileName, const QString& password,
                  bool* newerFormat = nullptr);

}  // namespace DataFileCheck
