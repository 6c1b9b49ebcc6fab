#pragma once

#include <QString>

#include "platform/runtime/Date.h"

// Names for the work files of the backup files in the user's temporary folder.
namespace TempNames {

// The temporary folder & the program's file name (without ".exe") & "_" & the time
// formatted "yyyymmddhhnnss".
QString Base(const vb::Date& time);
// base & suffix, or else base & "_2" & suffix, base & "_3" & suffix, ...: the first
// name under which nothing exists yet.
QString FreeFile(const QString& base, const QString& suffix);
// Creates a new folder named base, or else base & "_2", ...; its path, or "" when none
// could be created.
QString NewFolder(const QString& base);

}  // namespace TempNames
