#pragma once

#include <QString>
#include <cstdint>

// Path helpers: whether a file or folder exists (creating the folder when asked), and a
// folder's text without or with one trailing "/".
class CommonClass {
  public:
    // Directory types of SearchDirectory.
    static constexpr int16_t NormalFile = 0;
    static constexpr int16_t SystemFile = 4;
    static constexpr int16_t Folder = 16;

    // NormalFile with a file name: argFilePath & "/" & argFileName when that file exists,
    // otherwise "". Without a file name: argFilePath & "/" when argFilePath is a file.
    // SystemFile: as NormalFile with a file name (files carry no system attribute here),
    // "" without one.
    // Folder: argFilePath when that folder exists; otherwise argMake 0 gives "",
    // argMake 1 creates the folder (one level) and gives argFilePath or "" when that
    // fails, any other argMake gives argFilePath without creating it.
    // Any other type: "".
    QString SearchDirectory(int16_t argDirType, const QString& argFilePath,
                            const QString& argFileName = QString(), uint8_t argMake = 0) const;

    // The text without one trailing "/".
    QString MidPath(const QString& argPath) const;

    // The text with exactly one trailing "/" (one is added when it is missing).
    QString PutPath(const QString& argPath) const;
};
