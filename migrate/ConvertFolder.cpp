#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "backup/XXBackupFunctions.h"
#include "core/XXCommonFunctions.h"
#include "modConvert.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Variant.h"

namespace modConvert {

namespace {

QString databaseFileName(const QString& newDatabasePath) {
    QString drive, folder, fileName, baseName, extension;
    XX共通関数::SplitPath(newDatabasePath, drive, folder, fileName, baseName, extension);
    return fileName;
}

// A dated backup folder holding a copy that was never finished (".name.copy-" and random
// letters) is what a backup stopped by a crash left: it is removed with what it holds.
void removeUnfinishedBackups(const QString& backupRoot) {
    static const QRegularExpression kStamp(QStringLiteral("^[0-9]{14}$"));
    static const QRegularExpression kCopy(QStringLiteral("^\\..+\\.copy-[A-Za-z0-9]+$"));
    const QFileInfoList stamps =
        QDir(backupRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QFileInfo& stamp : stamps) {
        if (!kStamp.match(stamp.fileName()).hasMatch()) {
            continue;
        }
        const QFileInfoList entries =
            QDir(stamp.filePath()).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
        const bool unfinished = std::any_of(
            entries.begin(), entries.end(),
            [](const QFileInfo& entry) { return kCopy.match(entry.fileName()).hasMatch(); });
        if (unfinished) {
            QDir(stamp.filePath()).removeRecursively();
        }
    }
}

}  // namespace

QString TableList() {
    return QStringLiteral("ClassifyMast_tbl,TradeMast_tbl,Management_Tbl,FixDeta_tbl");
}

QString ConvertFolder(const QString& newDatabasePath) {
    return QFileInfo(newDatabasePath).absolutePath() + "/convert";
}

QString SpareBackupFolder(const QString& newDatabasePath) {
    return QFileInfo(newDatabasePath).absolutePath() + "/migration-backup";
}

bool BackupInstallation(const QString& installFolder, const QString& spareFolder,
                        QString& backupFolder, uint64_t* neededBytes) {
    const QString ini = installFolder + "/backup.ini";
    const QString first = XX共通関数::ReadIniString(ini, "BackupFile", "File1");
    if (first.isEmpty() || !QFileInfo(installFolder + "/" + first).isFile()) {
        return false;
    }
    removeUnfinishedBackups(installFolder + "/backup");
    removeUnfinishedBackups(spareFolder);
    const QString stamp = vb::Format(vb::Variant(vb::Now()), "YYYYMMDDHHNNSS");
    // An installation that the user cannot write is backed up into the spare folder.
    QString folder = installFolder + "/backup/" + stamp;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        folder = spareFolder + "/" + stamp;
        if (!QDir().mkpath(folder)) {
            return false;
        }
    }
    // Each file with the journal of a write it was in the middle of, so that the copy
    // opens as the file itself would.
    QStringList files;
    uint64_t bytes = 0;
    for (int n = 1; n <= 100; ++n) {
        const QString file =
            XX共通関数::ReadIniString(ini, "BackupFile", "File" + QString::number(n));
        if (file.isEmpty()) {
            break;
        }
        for (const QString& path :
             {installFolder + "/" + file, installFolder + "/" + file + "-journal"}) {
            if (path.endsWith(QLatin1String("-journal")) && !QFileInfo(path).isFile()) {
                continue;
            }
            files << path;
            bytes += static_cast<uint64_t>(std::max<qint64>(QFileInfo(path).size(), 0));
        }
    }
    const auto lacksSpace = [&folder, bytes] {
        return XX共通関数::GetDiskFreeSpace(folder) < static_cast<double>(bytes);
    };
    // A disk that tells no free space (0) is tried; it is called full only when a copy fails.
    bool copied = XX共通関数::GetDiskFreeSpace(folder) == 0 || !lacksSpace();
    for (const QString& file : files) {
        if (!copied || !(copied = XX共通関数::CopyFiles(file, folder))) {
            break;
        }
    }
    if (!copied) {
        if (neededBytes != nullptr && lacksSpace()) {
            *neededBytes = bytes;
        }
        QDir(folder).removeRecursively();
        return false;
    }
    backupFolder = folder;
    return true;
}

bool PrepareConvertFolder(const QString& newDatabasePath) {
    const QString folder = ConvertFolder(newDatabasePath);
    if (!QDir().mkpath(folder)) {
        return false;
    }
    if (!QDir(folder).isEmpty() && !XX共通関数::DeleteFiles(folder + "/*")) {
        return false;
    }
    return XX共通関数::CopyFiles(newDatabasePath, WorkCopyPath(newDatabasePath));
}

QString WorkCopyPath(const QString& newDatabasePath) {
    return ConvertFolder(newDatabasePath) + "/" + databaseFileName(newDatabasePath);
}

bool DeleteWorkCopy(const QString& newDatabasePath) {
    return XX共通関数::DeleteFiles(WorkCopyPath(newDatabasePath));
}

}  // namespace modConvert
