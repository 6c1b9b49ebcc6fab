#include "BackupRoot.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>

#include "FileNames.h"
#include "platform/runtime/Format.h"
#include "platform/shell/FileCopy.h"
#include "platform/shell/FileSearch.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

// How many following seconds a backup may move to when its own second is taken.
constexpr int kSecondsToTry = 60;

fs::path workFolderIn(const fs::path& root) {
    static std::atomic<unsigned> counter{0};
    return root / (".work-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
}

bool copyAll(const QStringList& files, const fs::path& work) {
    const QString target = shell::fromPath(work) + "/";
    return std::all_of(files.begin(), files.end(), [&](const QString& file) {
        std::error_code error;
        return fs::is_regular_file(shell::toPath(file), error) &&
               shell::copyFiles(file, target + FileNames::fileNameOf(file)).ok;
    });
}

// Renames the work folder to the first free name from the time on.
QString moveIntoPlace(const fs::path& work, const fs::path& root, const vb::Date& time) {
    for (int second = 0; second < kSecondsToTry; ++second) {
        const QString name =
            vb::Format(vb::Date::fromSeconds(time.seconds() + second), "yyyymmddhhnnss");
        const fs::path target = root / shell::toPath(name);
        std::error_code error;
        if (fs::exists(fs::symlink_status(target, error))) {
            continue;
        }
        fs::rename(work, target, error);
        if (!error) {
            return name;
        }
        if (error != std::errc::directory_not_empty && error != std::errc::file_exists) {
            return QString();
        }
    }
    return QString();
}

}  // namespace

BackupRoot::BackupRoot(const QString& dataFolder) : dataFolder_(dataFolder) {}

QString BackupRoot::path() const {
    return dataFolder_ + "/backup";
}

QString BackupRoot::entryPath(const QString& name) const {
    return path() + "/" + name;
}

QString BackupRoot::create(const QStringList& files, const vb::Date& time) const {
    if (files.isEmpty()) {
        return QString();
    }
    const fs::path root = shell::toPath(path());
    std::error_code error;
    const bool rootMade = fs::create_directory(root, error);
    if (error || !fs::is_directory(root, error)) {
        return QString();
    }
    const fs::path work = workFolderIn(root);
    QString name;
    if (fs::create_directory(work, error) && copyAll(files, work)) {
        name = moveIntoPlace(work, root, time);
    }
    if (name.isEmpty()) {
        fs::remove_all(work, error);
        if (rootMade) {
            fs::remove(root, error);
        }
    }
    return name;
}

QStringList BackupRoot::names() const {
    QStringList names;
    for (const shell::FoundEntry& entry : shell::findFiles(path() + "/")) {
        if (!entry.name.startsWith('.')) {
            names << entry.name;
        }
    }
    return names;
}

bool BackupRoot::remove(const QString& name) const {
    if (!FileNames::isPlainName(name)) {
        return false;
    }
    const fs::path entry = shell::toPath(entryPath(name));
    std::error_code error;
    if (!fs::exists(fs::symlink_status(entry, error))) {
        return false;
    }
    fs::remove_all(entry, error);
    return !error;
}

bool BackupRoot::files(const QString& name, QStringList& paths) const {
    paths.clear();
    const fs::path folder = shell::toPath(entryPath(name));
    std::error_code error;
    if (!FileNames::isPlainName(name) || !fs::is_directory(fs::symlink_status(folder, error))) {
        return false;
    }
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        if (!fs::is_regular_file(it->symlink_status(error))) {
            paths.clear();
            return false;
        }
        const QString file = shell::fromPath(it->path());
        if (!FileNames::isEngineSideFile(FileNames::fileNameOf(file))) {
            paths << file;
        }
    }
    paths.sort();
    return !error;
}

QString BackupRoot::entryText(const QString& name) {
    return name.mid(0, 4) + "年" + name.mid(4, 2) + "月" + name.mid(6, 2) + "日 " + name.mid(8, 2) +
           "時" + name.mid(10, 2) + "分" + name.mid(12, 2) + "秒" + " にバックアップされたデータ";
}
