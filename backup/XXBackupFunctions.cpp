#include "XXBackupFunctions.h"

#include "platform/shell/FileInfo.h"

namespace XX共通関数 {

namespace {

bool isZipName(const QString& path) {
    return path.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive);
}

}  // namespace

bool ZipFiles(const QStringList& files, const QString& zipPath) {
    return isZipName(zipPath) && shell::zipFiles(files, zipPath);
}

shell::UnzipResult UnzipFile(const QString& zipPath, const QString& folder) {
    return isZipName(zipPath) ? shell::unzipFiles(zipPath, folder) : shell::UnzipResult{};
}

double GetDiskFreeSpace(const QString& path) {
    return static_cast<double>(shell::freeSpace(path));
}

}  // namespace XX共通関数
