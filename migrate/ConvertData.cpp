#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "backup/DataFileCheck.h"
#include "backup/DataRecovery.h"
#include "backup/DataReplace.h"
#include "backup/ReplaceRecord.h"
#include "backup/RunFolder.h"
#include "modConvert.h"
#include "platform/jet/FileCheck.h"
#include "platform/runtime/Clock.h"

namespace modConvert {

namespace {

bool dropWorkCopy(const QString& targetDatabasePath) {
    DeleteWorkCopy(targetDatabasePath);
    return false;
}

// Whether a database passes the check of a file that comes from outside, with at least
// the given number of settings rows.
bool passesCheck(const QString& path, const QString& password, int32_t settingsRows) {
    const QFileInfo file(path);
    return DataFileCheck::BasicRows(file.absolutePath(), file.fileName(), password) >= settingsRows;
}

// The work folder of a replacement that is still recorded after the recovery: it keeps
// the database from before the migration.
QString recordedRunFolder(const QString& dataFolder) {
    const QFileInfoList runs = QDir(dataFolder)
                                   .entryInfoList({QString(RunFolder::kPrefix) + "*"},
                                                  QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& run : runs) {
        if (ReplaceRecord::present(run.absoluteFilePath())) {
            return run.absoluteFilePath();
        }
    }
    return QString();
}

// Puts the migrated work copy in the place of the new database in one recorded step.
bool putInPlace(const QString& targetDatabasePath, QString* keptFolder) {
    const QFileInfo target(targetDatabasePath);
    const QString dataFolder = target.absolutePath();
    const QString name = target.fileName();
    const DataReplace replace(dataFolder, QString());
    const ReplaceResult result = replace.run(
        {{WorkCopyPath(targetDatabasePath), name}}, vb::Now(), [&name](const QString& copies) {
            return passesCheck(copies + "/" + name, DetaCheck_Set::DBPassword, 1);
        });
    if (result.outcome == ReplaceResult::Failed) {
        // A replacement left half made is settled now rather than at the next start.
        DataRecovery::Recover(dataFolder);
        if (keptFolder) {
            *keptFolder = recordedRunFolder(dataFolder);
        }
    }
    return static_cast<bool>(result);
}

}  // namespace

bool CheckEarlierDatabase(const QString& sourceDatabasePath, bool* timedOut) {
    const QString text = QStringLiteral("Classify_No");
    const QString trade = QStringLiteral("Trade_No");
    const auto number = [](const char* name) {
        return std::pair<QString, jet::FieldType>(QString::fromLatin1(name), jet::adCurrency);
    };
    const std::vector<jet::TableShape> tables = {
        {"ClassifyMast_tbl", {{text, jet::adVarWChar}}},
        {"TradeMast_tbl", {{text, jet::adVarWChar}, {trade, jet::adVarWChar}}},
        {"Management_Tbl",
         {{"Input_Date", jet::adDate},
          {text, jet::adVarWChar},
          {trade, jet::adVarWChar},
          number("Cost_Quantity"),
          number("Unit_Price"),
          number("Sales_Quantity"),
          number("Sales_Money")}},
        {"FixDeta_tbl",
         {{"FixDate", jet::adDate},
          {text, jet::adVarWChar},
          {trade, jet::adVarWChar},
          number("Cost_Quantity"),
          number("Sales_Quantity"),
          number("Sales_Money"),
          number("Fix_Quantity")}},
    };
    const jet::Error error =
        jet::checkEarlierFile(sourceDatabasePath, DetaCheck_Set::SourcePassword, tables);
    if (timedOut != nullptr) {
        *timedOut = error.number == jet::errTimedOut;
    }
    return !error;
}

bool CheckNewDatabase(const QString& targetDatabasePath) {
    return passesCheck(targetDatabasePath, DetaCheck_Set::DBPassword, 1);
}

bool ConvertData(const QString& sourceFolder, const QString& sourceDatabasePath,
                 const InstallInfo& target, const QString& targetDatabasePath,
                 const DetaCheck_Set::Progress& progress, QString& backupFolder,
                 QString* keptFolder, uint64_t* neededBytes) {
    const auto gauge = [&progress](int16_t value) {
        if (progress) {
            progress(value);
        }
    };
    // A replacement that an earlier run left recorded is settled before anything else.
    DataRecovery::Recover(QFileInfo(targetDatabasePath).absolutePath());
    if (!BackupInstallation(sourceFolder, SpareBackupFolder(targetDatabasePath), backupFolder,
                            neededBytes) ||
        !PrepareConvertFolder(targetDatabasePath)) {
        return false;
    }
    gauge(1);
    const QString folder = ConvertFolder(targetDatabasePath);
    const QString workCopy = WorkCopyPath(targetDatabasePath);
    const QStringList tables = TableList().split(u',');
    for (const QString& table : tables) {
        if (!ExportTable(sourceDatabasePath, DetaCheck_Set::SourcePassword, table,
                         folder + "/" + table + ".csv")) {
            return dropWorkCopy(targetDatabasePath);
        }
    }
    gauge(2);
    for (const QString& table : tables) {
        if (!ImportTable(workCopy, DetaCheck_Set::DBPassword, table,
                         folder + "/" + table + ".csv")) {
            return dropWorkCopy(targetDatabasePath);
        }
    }
    gauge(3);
    const QString dbName = workCopy.mid(target.InstallFolder.size() + 1);
    if (DetaCheck_Set::ConvertImportedData(dbName, target.InstallFolder, progress) < 0) {
        return dropWorkCopy(targetDatabasePath);
    }
    const bool placed = putInPlace(targetDatabasePath, keptFolder);
    DeleteWorkCopy(targetDatabasePath);
    return placed;
}

}  // namespace modConvert
