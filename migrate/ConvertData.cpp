#include <QStringList>

#include "modConvert.h"

namespace modConvert {

namespace {

bool putBack(const QString& targetDatabasePath) {
    RestoreSafetyCopy(targetDatabasePath);
    DeleteSafetyCopy(targetDatabasePath);
    return false;
}

}  // namespace

bool ConvertData(const QString& sourceFolder, const QString& sourceDatabasePath,
                 const InstallInfo& target, const QString& targetDatabasePath,
                 const DetaCheck_Set::Progress& progress, QString& backupFolder) {
    const auto gauge = [&progress](int16_t value) {
        if (progress) {
            progress(value);
        }
    };
    if (!BackupInstallation(sourceFolder, SpareBackupFolder(targetDatabasePath), backupFolder) ||
        !PrepareConvertFolder(targetDatabasePath)) {
        return false;
    }
    gauge(1);
    const QString folder = ConvertFolder(targetDatabasePath);
    const QStringList tables = TableList().split(u',');
    for (const QString& table : tables) {
        if (!ExportTable(sourceDatabasePath, DetaCheck_Set::SourcePassword, table,
                         folder + "/" + table + ".csv")) {
            return putBack(targetDatabasePath);
        }
    }
    gauge(2);
    for (const QString& table : tables) {
        if (!ImportTable(targetDatabasePath, DetaCheck_Set::DBPassword, table,
                         folder + "/" + table + ".csv")) {
            return putBack(targetDatabasePath);
        }
    }
    gauge(3);
    const QString dbName = targetDatabasePath.mid(target.InstallFolder.size() + 1);
    if (DetaCheck_Set::ConvertImportedData(dbName, target.InstallFolder, progress) < 0) {
        return putBack(targetDatabasePath);
    }
    DeleteSafetyCopy(targetDatabasePath);
    return true;
}

}  // namespace modConvert
