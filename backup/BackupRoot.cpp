#include "BackupRoot.h"

#include <QRegularExpression>
#include <filesystem>

#include "FileNames.h"
#include "RunFolder.h"
#include "SettledDatabase.h"
#include "platform/runtime/Format.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/FileSearch.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

// How many following seconds a backup may move to when its own second is taken.
constexpr int kSecondsToTry = 60;

// The files' names and what they hold: a data file that is a link is copied from the file
// it points to.
void sourcesOf(const QStringList& files, QStringList& sources, QStringList& names) {
    for (const QString& file : files) {
        sources << shell::followLink(file);
        names << shell::fileNameOf(file);
    }
}

void removeIfEmpty(const QString& folder) {
    std::error_code error;
    fs::remove(shell::toPath(folder), error);
}

}  // namespace

BackupRoot::BackupRoot(const QString& dataFolder) : dataFolder_(dataFolder) {}

QString BackupRoot::path() const {
    return dataFolder_ + "/backup";
}

QString BackupRoot::entryPath(const QString& name) const {
    return path() + "/" + name;
}

QString BackupRoot::create(const QStringList& files, const vb::Date& time,
                           const QString& password) const {
    if (files.isEmpty()) {
        return QString();
    }
    RunFolder run(dataFolder_);
    const bool rootMade = !shell::entryExists(path());
    QString name;
    if (run.ok() && shell::makeFolder(path())) {
        name = freeName(time, QString());
    }
    // The copies are made beside their place in the root, on the root's own file system.
    const QString work = name.isEmpty() ? QString() : run.notePartFile(entryPath(name));
    QStringList sources, names;
    sourcesOf(files, sources, names);
    // The database first, settled in its copy.
    if (!work.isEmpty() && shell::makeOwnFolder(work) &&
        SettledDatabase::CopySettled(sources[0], work + "/" + names[0], password, false) &&
        shell::copyIntoFolder(sources.mid(1), names.mid(1), work) &&
        shell::moveEntry(work, entryPath(name))) {
        shell::syncFolder(path());
        shell::syncFolder(dataFolder_);
        return name;
    }
    if (!work.isEmpty()) {
        shell::removeTree(work);
    }
    if (rootMade) {
        removeIfEmpty(path());
    }
    return QString();
}

QString BackupRoot::freeName(const vb::Date& time, const QString& suffix) const {
    for (int second = 0; second < kSecondsToTry; ++second) {
        const QString name =
            vb::Format(vb::Date::fromSeconds(time.seconds() + second), "yyyymmddhhnnss") + suffix;
        if (!shell::entryExists(entryPath(name))) {
            return name;
        }
    }
    return QString();
}

QStringList BackupRoot::names() const {
    QStringList names;
    for (const shell::FoundEntry& entry : shell::findFiles(path() + "/")) {
        // A backup being made or removed is none.
        if (!RunFolder::isPartFileName(entry.name)) {
            names << entry.name;
        }
    }
    return names;
}

bool BackupRoot::remove(const QString& name) const {
    if (!shell::isEntryName(name) || !shell::entryExists(entryPath(name))) {
        return false;
    }
    // Moved aside within the root, which may be on another file system than the data folder.
    RunFolder run(dataFolder_);
    const QString removed = run.notePartFile(entryPath(name));
    if (removed.isEmpty() || !shell::moveEntry(entryPath(name), removed)) {
        return false;
    }
    shell::syncFolder(path());
    // What cannot be removed now stays noted in the run, for the next start to remove; put
    // back, it would be a backup with some of its files gone.
    shell::removeTree(removed);
    return true;
}

bool BackupRoot::files(const QString& name, QStringList& paths) const {
    paths.clear();
    if (!shell::isEntryName(name) || !fs::is_directory(shell::entryStatus(entryPath(name)))) {
        return false;
    }
    std::error_code error;
    fs::directory_iterator it(shell::toPath(entryPath(name)), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (!fs::is_regular_file(it->symlink_status(error))) {
            paths.clear();
            return false;
        }
        const QString file = shell::fromPath(it->path());
        if (!FileNames::isEngineSideFile(shell::fileNameOf(file))) {
            paths << file;
        }
    }
    paths.sort();
    return !error;
}

QString BackupRoot::entryText(const QString& name) {
    const QString time = name.mid(0, 4) + "年" + name.mid(4, 2) + "月" + name.mid(6, 2) + "日 " +
                         name.mid(8, 2) + "時" + name.mid(10, 2) + "分" + name.mid(12, 2) + "秒";
    return time + (isAutoName(name) ? " に復元前の状態を自動保存したデータ"
                                    : " にバックアップされたデータ");
}

bool BackupRoot::isAutoName(const QString& name) {
    static const QRegularExpression kAutoName(QStringLiteral("^[0-9]{14}") + kAutoSuffix + "$");
    return kAutoName.match(name).hasMatch();
}
