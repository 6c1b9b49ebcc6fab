#include <QDir>
#include <QFileInfo>

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
                        QString& backupFolder) {
    const QString ini = installFolder + "/backup.ini";
    const QString first = XX共通関数::ReadIniString(ini, "BackupFile", "File1");
    if (first.isEmpty() || !QFileInfo(installFolder + "/" + first).isFile()) {
        return false;
    }
    const QString stamp = vb::Format(vb::Variant(vb::Now()), "YYYYMMDDHHNNSS");
    // An installation that the user cannot write is backed up into the spare folder.
    QString folder = installFolder + "/backup/" + stamp;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        folder = spareFolder + "/" + stamp;
        if (!QDir().mkpath(folder)) {
            return false;
        }
    }
    for (int n = 1; n <= 100; ++n) {
        const QString file =
            XX共通関数::ReadIniString(ini, "BackupFile", "File" + QString::number(n));
        if (file.isEmpty()) {
            break;
        }
        if (!XX共通関数::CopyFiles(installFolder + "/" + file, folder)) {
            QDir(folder).removeRecursively();
            return false;
        }
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
