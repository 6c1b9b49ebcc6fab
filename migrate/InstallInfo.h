#pragma once

#include <QString>

#include "platform/runtime/Date.h"

// One installation of the system: where it lies, its program and database files, the
// program's product name and version, and when its data was last written.
struct InstallInfo {
    QString InstallFolder;  // without a trailing "/"
    QString AppFile;
    QString DataFile;
    QString ProductName;
    QString ProductVersion;  // "a.b.c"
    vb::Date LastUpdate;
};
