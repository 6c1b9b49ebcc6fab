#include "InstallProbe.h"

#include <QFileInfo>
#include <QStringList>

#include "DetaCheckSet.h"
#include "VersionFunctions.h"
#include "core/CommonClass.h"
#include "core/DatabaseFiles.h"
#include "core/XXCommonFunctions.h"
#include "modConvert.h"
#include "platform/jet/Connection.h"

namespace modConvert {

namespace {

QStringList sortedFiles(const QString& pattern) {
    QStringList files;
    XX共通関数::FindFiles(pattern, files, false, XX共通関数::FilesOnly);
    files.sort();
    return files;
}

QString programFile(const QString& folder) {
    const QStringList files = sortedFiles(folder + "/morvik*");
    for (const QString& file : files) {
        if (QFileInfo(file).suffix().compare("exe", Qt::CaseInsensitive) == 0) {
            return QFileInfo(file).fileName();
        }
    }
    for (const QString& file : files) {
        const QFileInfo info(file);
        if (info.suffix().isEmpty() && info.isExecutable()) {
            return info.fileName();
        }
    }
    return QString();
}

QString databaseFile(const QString& folder) {
    for (const char* pattern : {"/morvik*.mdb", "/morvik*.mde"}) {
        const QStringList files = sortedFiles(folder + pattern);
        if (!files.isEmpty()) {
            return QFileInfo(files.front()).fileName();
        }
    }
    return QString();
}

}  // namespace

bool ProbeInstallFolder(const QString& folder, InstallInfo& info) {
    const QString appFile = programFile(folder);
    const QString dataFile = databaseFile(folder);
    if (appFile.isEmpty() || dataFile.isEmpty()) {
        return false;
    }
    XX共通関数2::FileVersionStrings version;
    std::array<vb::Date, 3> times;
    if (!XX共通関数2::GetFileVersionStrings(folder + "/" + appFile, version) ||
        !XX共通関数2::GetFileTimes(folder + "/" + dataFile, times)) {
        return false;
    }
    info.InstallFolder = folder;
    info.AppFile = appFile;
    info.DataFile = dataFile;
    info.ProductName = version.ProductName;
    info.ProductVersion = version.ProductVersion;
    info.LastUpdate = times[2];
    return true;
}

QString NewDataFolder() {
    return DatabaseFiles::DataFolder();
}

bool ProbeOwnFolder(InstallInfo& info) {
    const QString folder = NewDataFolder();
    std::array<vb::Date, 3> times;
    if (!XX共通関数2::GetFileTimes(folder + "/morvik2.mde", times)) {
        return false;
    }
    info.InstallFolder = folder;
    info.AppFile = QStringLiteral("morvik2");
    info.DataFile = QStringLiteral("morvik2.mde");
    info.ProductName = QStringLiteral("モルビク");
    info.ProductVersion = QStringLiteral(MORVIK_VERSION);
    info.LastUpdate = times[2];
    return true;
}

QString SourcePasswordFor(const QString& databasePath) {
    jet::Connection connection;
    if (connection.open(DatabaseConnection(databasePath, QString(), true))) {
        return DetaCheck_Set::DBPassword;
    }
    return QString();
}

}  // namespace modConvert
