#pragma once

#include <QString>

namespace shell {

// Reads one value of an INI file by the rules of the Windows profile reader:
// section and key names compared without regard to letter case, blanks around names and
// values removed, lines starting with ";" ignored, only the first section of a name
// searched and the first matching key taken, one pair of enclosing double or single
// quotes removed. A missing file, section or key gives the default. The result is cut
// to bufferSize - 1 characters. The file is read as UTF-8, or as Shift-JIS (CP932) when
// it is not valid UTF-8.
QString readIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& defaultValue = QString(), int bufferSize = 256);

}  // namespace shell
