#include "DataReplace.h"

#include <unistd.h>

#include <QFile>
#include <QSet>
#include <filesystem>
#include <map>

#include "BackupRoot.h"
#include "FileNames.h"
#include "ReplaceRecord.h"
#include "RunFolder.h"
#include "SettledDatabase.h"
#include "core/MainModule.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

uint64_t sizeOf(const QString& path) {
    std::error_code error;
    const uintmax_t size = fs::file_size(shell::toPath(path), error);
    return error ? 0 : static_cast<uint64_t>(size);
}

uint64_t addSizes(uint64_t a, uint64_t b) {
    return b > UINT64_MAX - a ? UINT64_MAX : a + b;
}

// What a replacement takes: the sizes it needs and the files it replaces, by name and by
// the file that holds the data (the file a link points to, for a data file that is one).
struct Plan {
    uint64_t incoming = 0;
    uint64_t kept = 0;
    QStringList names;
    QStringList current;
    std::map<QString, QString> linked;
};

bool makePlan(const std::vector<IncomingFile>& files, const QString& folder, Plan& plan) {
    QSet<QString> names;
    for (const IncomingFile& file : files) {
        const QString entry = folder + "/" + file.name;
        if (!shell::isEntryName(file.name) || FileNames::isEngineSideFile(file.name) ||
            names.contains(file.name) || !fs::is_regular_file(shell::entryStatus(file.source))) {
            return false;
        }
        names.insert(file.name);
        plan.incoming = addSizes(plan.incoming, sizeOf(file.source));
        if (!fs::exists(shell::entryStatus(entry))) {
            continue;
        }
        const QString target = shell::followLink(entry);
        if (fs::is_symlink(shell::entryStatus(entry)) && target == entry) {
            continue;  // a link to nothing: the new file takes its place
        }
        if (!fs::is_regular_file(shell::entryStatus(target))) {
            return false;
        }
        if (target != entry) {
            plan.linked[file.name] = target;
        }
        plan.kept = addSizes(plan.kept, sizeOf(target));
        plan.names << file.name;
        plan.current << target;
    }
    return !files.empty();
}

// The new copy of each data file that is a link goes beside the file it points to, on that
// file's own file system, with a folder to hold the files it replaces.
bool placeLinkedCopies(const Plan& plan, const QString& copies, RunFolder& run,
                       ReplaceRecord& record) {
    for (const auto& [name, target] : plan.linked) {
        const QString incoming = run.notePartFile(target);
        const QString replaced = run.notePartFile(target);
        if (incoming.isEmpty() || replaced.isEmpty() || !shell::makeOwnFolder(incoming) ||
            !shell::copyIntoFolder({copies + "/" + name}, {shell::fileNameOf(target)}, incoming) ||
            !shell::makeOwnFolder(replaced) ||
            !shell::syncFolder(target.left(target.lastIndexOf('/')))) {
            return false;
        }
        record.linked.insert(name, {target, incoming, replaced});
    }
    return true;
}

// The automatic copy is made beside its place in the backup root, on the root's own file
// system. The database's copy is settled there (SettledDatabase); one that cannot be is kept
// with the copies of the journal and log beside it, which hold part of its state.
bool makeAutomaticCopy(const Plan& plan, const QString& databaseName, const BackupRoot& backups,
                       const vb::Date& time, RunFolder& run, ReplaceRecord& record) {
    record.autoName = backups.freeName(time, BackupRoot::kAutoSuffix);
    if (record.autoName.isEmpty() || !shell::makeFolder(backups.path())) {
        return false;
    }
    record.autoWork = run.notePartFile(backups.entryPath(record.autoName));
    if (record.autoWork.isEmpty() || !shell::makeOwnFolder(record.autoWork)) {
        return false;
    }
    QStringList sources, names;
    for (qsizetype i = 0; i < plan.names.size(); ++i) {
        if (plan.names[i] != databaseName) {
            sources << plan.current[i];
            names << plan.names[i];
        } else if (!SettledDatabase::CopySettled(plan.current[i],
                                                 record.autoWork + "/" + databaseName,
                                                 MainModule::DBPassword, true)) {
            return false;
        }
    }
    return shell::copyIntoFolder(sources, names, record.autoWork) &&
           shell::syncFolder(backups.path());
}

// A backup root that is no folder this user may write into (a read-only mount, another
// owner's folder, a link to nothing).
bool cannotBeWritten(const QString& root) {
    std::error_code error;
    return !fs::is_directory(fs::status(shell::toPath(root), error)) ||
           ::access(QFile::encodeName(root).constData(), W_OK | X_OK) != 0;
}

}  // namespace

DataReplace::DataReplace(const QString& dataFolder, const QString& databaseName)
    : dataFolder_(dataFolder), databaseName_(databaseName) {}

ReplaceResult DataReplace::run(const std::vector<IncomingFile>& files, const vb::Date& time,
                               const Acceptance& accept) const {
    ReplaceResult result;
    Plan plan;
    if (!makePlan(files, dataFolder_, plan)) {
        return result;
    }
    result.required = addSizes(plan.incoming, plan.kept);
    if (shell::freeSpace(dataFolder_) < result.required) {
        result.outcome = ReplaceResult::NoSpace;
        return result;
    }

    RunFolder run(dataFolder_);
    ReplaceRecord record;
    QStringList sources;
    for (const IncomingFile& file : files) {
        sources << file.source;
        record.names << file.name;
    }
    const QString copies = run.makeFolder("new");
    if (copies.isEmpty() || !shell::copyIntoFolder(sources, record.names, copies)) {
        return result;
    }
    if (accept && !accept(copies)) {
        result.outcome = ReplaceResult::Refused;
        return result;
    }
    const BackupRoot backups(dataFolder_);
    const bool rootMade = !shell::entryExists(backups.path());
    const bool keepsCopy =
        !databaseName_.isEmpty() && fs::is_regular_file(shell::entryStatus(
                                        shell::followLink(dataFolder_ + "/" + databaseName_)));
    const bool linkedPlaced = placeLinkedCopies(plan, copies, run, record);
    bool copyMade = linkedPlaced && (!keepsCopy || makeAutomaticCopy(plan, databaseName_, backups,
                                                                     time, run, record));
    if (linkedPlaced && !copyMade && cannotBeWritten(backups.path())) {
        // Only the automatic copy needs the root: the files are replaced without one.
        if (!record.autoWork.isEmpty()) {
            shell::removeTree(record.autoWork);
        }
        record.autoName.clear();
        record.autoWork.clear();
        result.automaticCopyMissing = true;
        copyMade = true;
    }
    // The run folder itself must be on disk before its record.
    const bool recorded = copyMade && shell::syncFolder(run.path()) &&
                          shell::syncFolder(dataFolder_) && record.write(run.path());
    ReplaceRecord::Outcome outcome =
        recorded ? record.settle(dataFolder_, run.path()) : ReplaceRecord::Outcome::Undone;
    if (outcome == ReplaceRecord::Outcome::Stuck) {
        // Taken up again at once, as the next start would, so that the message tells what
        // the data folder holds.
        outcome = record.settle(dataFolder_, run.path());
    }
    switch (outcome) {
        case ReplaceRecord::Outcome::Finished:
            result.outcome = ReplaceResult::Replaced;
            result.safetyBackup = record.autoName;
            return result;
        case ReplaceRecord::Outcome::Undone:
            result.automaticCopyMissing = false;
            if (!record.autoWork.isEmpty()) {
                shell::removeTree(record.autoWork);
            }
            if (rootMade) {
                std::error_code error;
                fs::remove(shell::toPath(backups.path()), error);  // only when empty
            }
            return result;
        case ReplaceRecord::Outcome::Stuck:
            run.keep();
            return result;
    }
    return result;
}
