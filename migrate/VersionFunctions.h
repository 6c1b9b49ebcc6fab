#pragma once

#include <QString>
#include <array>

#include "platform/runtime/Date.h"

// Version and file facts of an installation's program and database files.
//
// A program of this platform carries no version resource: its product name and version
// stand in "version.ini" next to it, section "Version", keys "ProductName" and
// "ProductVersion" ("a.b.c").
namespace XX共通関数2 {

struct FileVersionStrings {
    QString ProductVersion;
    QString ProductName;
};

// The version file of the program at the path; false when it has no product version.
bool GetFileVersionStrings(const QString& path, FileVersionStrings& strings);
// Creation (as far as the file system knows it), last access and last write of the file,
// local time in whole seconds; false when the file does not exist.
bool GetFileTimes(const QString& path, std::array<vb::Date, 3>& times);
// The first three "."-separated parts of the text as whole numbers; false when there are
// fewer than three or one of them is not a number.
bool SplitVersion(const QString& text, std::array<int, 3>& parts);
// The text with every %NAME% replaced by the environment variable's value; %programfiles%
// stands for /opt when the variable is not set. Unknown names are kept as written.
QString ExpandEnvironment(const QString& text);

}  // namespace XX共通関数2
