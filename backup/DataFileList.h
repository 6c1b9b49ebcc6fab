#pragma once

#include <QString>
#include <QStringList>

// The data files that a backup copies, as backup.ini lists them: section "BackupFile",
// keys "File1" to "File100", up to the first key without a value. The first names the
// database file.
namespace DataFileList {

inline constexpr int MaxFiles = 100;

// The full paths (dataFolder & "/" & value) of the listed files. False with an empty
// list when "File1" has no value or a value is not a plain file name (see
// shell::isPlainName), so that nothing outside the data folder is ever named.
bool read(const QString& iniFile, const QString& dataFolder, QStringList& files);

}  // namespace DataFileList
