#pragma once

#include <QString>
#include <QStringList>

#include "platform/shell/ZipArchive.h"

// The compression and free-space procedures of the common module that
// the backup files use.
namespace XX共通関数 {

// Packs the files into a new archive (see shell::zipFiles), which is checked after
// writing. False when the path does not end in ".zip" (any letter case).
bool ZipFiles(const QStringList& files, const QString& zipPath);
// Unpacks an archive of plain top-level files into an existing folder (see
// shell::unzipFiles). Damaged when the path does not end in ".zip" (any letter case).
shell::UnzipResult UnzipFile(const QString& zipPath, const QString& folder);
// The free bytes on the volume that holds the path (or its nearest existing parent);
// 0 when unknown.
double GetDiskFreeSpace(const QString& path);

}  // namespace XX共通関数
