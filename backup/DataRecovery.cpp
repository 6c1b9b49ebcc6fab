#include "DataRecovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QRegularExpression>
#include <filesystem>
#include <optional>

#include "DataFolderLock.h"
#include "EarlierWorkFiles.h"
#include "ReplaceRecord.h"
#include "RunFolder.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace DataRecovery {

namespace {

// A program that started at the same time may be settling the folder: its recovery takes
// a moment. Work that takes longer (an operation waiting on its user) is left alone.
constexpr int kWaitForOtherProgramMs = 2000;

// A folder (not a link) of the user's own: another's is no run of this user's programs.
bool isOwnFolder(const fs::path& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == ::geteuid();
}

// The run folders in the data folder (the user's own folders, not links).
QStringList runFolders(const QString& dataFolder) {
    static const QRegularExpression kRunName("^" + QRegularExpression::escape(RunFolder::kPrefix) +
                                             "[A-Za-z0-9]{6}$");
    QStringList folders;
    std::error_code error;
    fs::directory_iterator it(shell::toPath(dataFolder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const QString name = shell::fromPath(it->path().filename());
        if (kRunName.match(name).hasMatch() && isOwnFolder(it->path())) {
            folders << shell::fromPath(it->path());
        }
    }
    return folders;
}

// Settles the run's replacement, if it recorded one; false when the run must stay.
bool settled(const QString& dataFolder, const QString& runFolder) {
    if (!ReplaceRecord::present(runFolder)) {
        return true;
    }
    const std::optional<ReplaceRecord> record = ReplaceRecord::read(runFolder);
    return record && record->settle(dataFolder, runFolder) != ReplaceRecord::Outcome::Stuck;
}

}  // namespace

void Recover(const QString& dataFolder) {
    const DataFolderLock lock(dataFolder, kWaitForOtherProgramMs);
    if (!lock.held()) {
        return;
    }
    bool discarded = false;
    for (const QString& runFolder : runFolders(dataFolder)) {
        if (!settled(dataFolder, runFolder)) {
            continue;
        }
        RunFolder::discard(runFolder);
        discarded = true;
    }
    if (discarded) {
        shell::syncFolder(dataFolder);
    }
    EarlierWorkFiles::Settle(dataFolder, shell::tempFolder());
}

}  // namespace DataRecovery
