#include "XXCommonFunctions.h"

#include <QFileInfo>

#include "CommonClass.h"
#include "platform/forms/App.h"
#include "platform/shell/FileCopy.h"
#include "platform/shell/FileDelete.h"
#include "platform/shell/FileSearch.h"
#include "platform/shell/IniFile.h"
#include "platform/shell/SpecialFolders.h"

namespace XX共通関数 {

namespace {

constexpr int kIniBufferSize = 256;

bool kindTakes(int16_t kind, bool isFolder) {
    switch (kind) {
        case FilesOnly:
            return !isFolder;
        case FoldersOnly:
            return isFolder;
        default:
            return true;
    }
}

void add(const shell::FoundEntry& entry, QStringList& files, int32_t& count, int16_t kind) {
    if (kindTakes(kind, entry.isFolder)) {
        files.append(entry.path);
        ++count;
    }
}

// A linked folder is not entered, so that a link to a folder above cannot make the
// search go round for ever.
bool entersFolder(const shell::FoundEntry& entry) {
    return entry.isFolder && !QFileInfo(entry.path).isSymLink();
}

}  // namespace

QString GetAppPath() {
    return CommonClass().PutPath(forms::App::Path());
}

vb::Date GetMonthEndDate(const vb::Date& date) {
    return vb::Date::fromYmd(date.year(), date.month(), 1).addMonths(1).addDays(-1);
}

bool DeleteFile(const QString& path) {
    return shell::deleteFile(path);
}

bool CopyFiles(const QString& source, const QString& target) {
    return shell::copyFiles(source, target).ok;
}

bool DeleteFiles(const QString& path) {
    return shell::deleteFiles(path).ok;
}

QString ReadIniString(const QString& iniFile, const QString& section, const QString& key) {
    return shell::readIniString(iniFile, section, key, QString(), kIniBufferSize);
}

QString GetSpecialFolderPath(int32_t csidl) {
    return shell::specialFolderPath(csidl);
}

int32_t FindFiles(const QString& pattern, QStringList& files, bool recurse, int16_t kind) {
    files.clear();
    int32_t count = 0;
    FindFilesRecursive(pattern, files, count, recurse, kind);
    return count;
}

void FindFilesRecursive(const QString& pattern, QStringList& files, int32_t& count, bool recurse,
                        int16_t kind) {
    const qsizetype slash = pattern.lastIndexOf('/');
    const QString folder = pattern.left(slash + 1);
    const QString namePattern = pattern.mid(slash + 1);

    if (pattern.isEmpty() || !shell::hasWildcards(namePattern)) {
        // One named entry, and with recurse everything below it.
        for (const shell::FoundEntry& entry : shell::findFiles(pattern)) {
            add(entry, files, count, kind);
            if (recurse && entersFolder(entry)) {
                FindFilesRecursive(entry.path + "/*", files, count, recurse, kind);
            }
        }
        return;
    }
    if (!recurse) {
        for (const shell::FoundEntry& entry : shell::findFiles(pattern)) {
            add(entry, files, count, kind);
        }
        return;
    }
    // The same name pattern in this folder and in every folder below it.
    for (const shell::FoundEntry& entry : shell::findFiles(folder + "*")) {
        if (shell::matchesPattern(entry.name, namePattern)) {
            add(entry, files, count, kind);
        }
        if (entersFolder(entry)) {
            FindFilesRecursive(entry.path + "/" + namePattern, files, count, recurse, kind);
        }
    }
}

void SplitPath(const QString& fullPath, QString& drive, QString& folder, QString& fileName,
               QString& baseName, QString& extension) {
    drive.clear();
    QString rest = fullPath;
    if (fullPath.startsWith(QStringLiteral("//"))) {
        const qsizetype share = fullPath.indexOf('/', 2);
        drive = share < 0 ? fullPath : fullPath.left(share);
        rest = share < 0 ? QString() : fullPath.mid(share);
    }
    const qsizetype lastSlash = rest.lastIndexOf('/');
    folder = rest.left(lastSlash + 1);
    fileName = rest.mid(lastSlash + 1);
    const qsizetype dot = fileName.lastIndexOf('.');
    baseName = dot < 0 ? fileName : fileName.left(dot);
    extension = dot < 0 ? QString() : fileName.mid(dot + 1);
}

}  // namespace XX共通関数
