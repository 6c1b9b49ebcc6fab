#include "EarlierWorkFiles.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <filesystem>
#include <map>
#include <utility>
#include <vector>

#include "BackupRoot.h"
#include "FileNames.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace EarlierWorkFiles {

namespace {

enum class Kind { File, Folder };

struct Entry {
    QString name;
    QString path;
    Kind kind;
};

// The regular files and folders of a folder that belong to the user and whose names match
// names; links and anything else are left out. Nothing when the folder itself is a link.
// The names are matched first, so that a large folder costs no look-up per entry.
std::vector<Entry> ownEntries(const QString& folder, const QRegularExpression& names) {
    std::vector<Entry> entries;
    struct stat status {};
    if (::lstat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode)) {
        return entries;
    }
    std::error_code error;
    fs::directory_iterator it(shell::toPath(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const QString name = shell::fromPath(it->path().filename());
        if (!names.match(name).hasMatch()) {
            continue;
        }
        const QString path = shell::fromPath(it->path());
        if (::lstat(QFile::encodeName(path).constData(), &status) != 0 ||
            status.st_uid != ::geteuid()) {
            continue;
        }
        if (S_ISREG(status.st_mode) || S_ISDIR(status.st_mode)) {
            entries.push_back({name, path, S_ISDIR(status.st_mode) ? Kind::Folder : Kind::File});
        }
    }
    return entries;
}

// Whether the process that wrote a name may still be at work. This process never wrote
// such names, so its own id is taken as a process that ended.
bool running(const QString& id) {
    bool ok = false;
    const long pid = id.toLong(&ok);
    if (!ok || pid <= 0 || pid == ::getpid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// The files of one interrupted replacement in the data folder.
struct Replacement {
    std::vector<std::pair<QString, QString>> asides;  // path, the name it was moved from
    std::vector<QString> copies;
};

void settleReplacement(const QString& dataFolder, const Replacement& replacement) {
    if (!replacement.copies.empty()) {
        // A copy still waits: not every file was put in place, so the old ones go back.
        for (const auto& [path, name] : replacement.asides) {
            if (!shell::moveEntry(path, dataFolder + "/" + name)) {
                return;
            }
        }
        shell::syncFolder(dataFolder);
        for (const QString& copy : replacement.copies) {
            shell::removeTree(copy);
        }
        return;
    }
    // Every copy went in. A data file that is gone all the same gets its old file back;
    // an engine side file never does, as it belongs to the file it was moved away from.
    for (const auto& [path, name] : replacement.asides) {
        const QString target = dataFolder + "/" + name;
        if (FileNames::isEngineSideFile(name) || shell::entryExists(target)) {
            shell::removeTree(path);
        } else {
            shell::moveEntry(path, target);
        }
    }
}

void settleDataFolder(const QString& dataFolder) {
    static const QRegularExpression kCopy(QStringLiteral("^\\..+\\.copy-([0-9]+)-[0-9]+$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression kAside(QStringLiteral("^\\.(.+)\\.(old|restore)-([0-9]+)$"),
                                           QRegularExpression::DotMatchesEverythingOption);
    std::map<QString, Replacement> replacements;
    bool changed = false;
    static const QRegularExpression kHidden(QStringLiteral("^\\."));
    for (const Entry& entry : ownEntries(dataFolder, kHidden)) {
        if (entry.kind != Kind::File) {
            continue;
        }
        if (const auto copy = kCopy.match(entry.name); copy.hasMatch()) {
            if (!running(copy.captured(1))) {
                shell::removeTree(entry.path);
                changed = true;
            }
        } else if (const auto aside = kAside.match(entry.name); aside.hasMatch()) {
            Replacement& replacement = replacements[aside.captured(3)];
            if (aside.captured(2) == QLatin1String("old")) {
                replacement.asides.emplace_back(entry.path, aside.captured(1));
            } else {
                replacement.copies.push_back(entry.path);
            }
        }
    }
    for (const auto& [process, replacement] : replacements) {
        if (!running(process)) {
            settleReplacement(dataFolder, replacement);
            changed = true;
        }
    }
    if (changed) {
        shell::syncFolder(dataFolder);
    }
}

void removeUnfinishedBackups(const QString& dataFolder) {
    static const QRegularExpression kWork(QStringLiteral("^\\.work-([0-9]+)-[0-9]+$"));
    const QString root = BackupRoot(dataFolder).path();
    bool changed = false;
    for (const Entry& entry : ownEntries(root, kWork)) {
        const auto work = kWork.match(entry.name);
        if (entry.kind == Kind::Folder && work.hasMatch() && !running(work.captured(1))) {
            shell::removeTree(entry.path);
            changed = true;
        }
    }
    if (changed) {
        shell::syncFolder(root);
    }
}

void removeTemporaryFiles(const QString& tempFolder) {
    const QString base = QStringLiteral("morvik2_[0-9]{14}(?:_[0-9]+)?");
    static const QRegularExpression kFolder("^" + base + "$");
    static const QRegularExpression kFile("^" + base + "\\.(?:zip|mde)$");
    static const QRegularExpression kPartial("^" + base + "\\.zip\\.[A-Za-z0-9]{6}$");
    static const QRegularExpression kCopy("^\\." + base + "\\.(?:zip|mde)\\.copy-([0-9]+)-[0-9]+$");
    static const QRegularExpression kOurs(QStringLiteral("^\\.?morvik2_"));
    for (const Entry& entry : ownEntries(tempFolder, kOurs)) {
        bool leftover = false;
        if (entry.kind == Kind::Folder) {
            leftover = kFolder.match(entry.name).hasMatch();
        } else if (const auto copy = kCopy.match(entry.name); copy.hasMatch()) {
            leftover = !running(copy.captured(1));
        } else {
            leftover = kFile.match(entry.name).hasMatch() || kPartial.match(entry.name).hasMatch();
        }
        if (leftover) {
            shell::removeTree(entry.path);
        }
    }
}

}  // namespace

void Settle(const QString& dataFolder, const QString& tempFolder) {
    settleDataFolder(dataFolder);
    removeUnfinishedBackups(dataFolder);
    removeTemporaryFiles(tempFolder);
}

}  // namespace EarlierWorkFiles
