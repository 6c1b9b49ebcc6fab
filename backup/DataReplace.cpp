#include "DataReplace.h"

#include <QSet>
#include <filesystem>

#include "BackupRoot.h"
#include "FileNames.h"
#include "ReplaceRecord.h"
#include "RunFolder.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
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

// What a replacement takes: the sizes it needs and the files it replaces.
struct Plan {
    uint64_t incoming = 0;
    uint64_t kept = 0;
    QStringList current;
};

bool makePlan(const std::vector<IncomingFile>& files, const QString& folder, Plan& plan) {
    QSet<QString> names;
    for (const IncomingFile& file : files) {
        const QString target = folder + "/" + file.name;
        if (!shell::isEntryName(file.name) || FileNames::isEngineSideFile(file.name) ||
            names.contains(file.name) || !fs::is_regular_file(shell::entryStatus(file.source))) {
            return false;
        }
        names.insert(file.name);
        plan.incoming = addSizes(plan.incoming, sizeOf(file.source));
        if (fs::exists(shell::entryStatus(target))) {
            if (!fs::is_regular_file(shell::entryStatus(target))) {
                return false;
            }
            plan.kept = addSizes(plan.kept, sizeOf(target));
            plan.current << target;
        }
    }
    return !files.empty();
}

bool copyInto(const QString& folder, const QStringList& sources, const QStringList& names) {
    for (qsizetype i = 0; i < sources.size(); ++i) {
        if (!shell::copyToNewFile(sources[i], folder + "/" + names[i])) {
            return false;
        }
    }
    return shell::syncFolder(folder);
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
    if (copies.isEmpty() || !copyInto(copies, sources, record.names)) {
        return result;
    }
    if (accept && !accept(copies)) {
        result.outcome = ReplaceResult::Refused;
        return result;
    }
    const BackupRoot backups(dataFolder_);
    if (!databaseName_.isEmpty() &&
        fs::is_regular_file(shell::entryStatus(dataFolder_ + "/" + databaseName_))) {
        QStringList names;
        for (const QString& path : plan.current) {
            names << shell::fileNameOf(path);
        }
        const QString autoCopy = run.makeFolder("auto");
        record.autoName = backups.freeName(time, BackupRoot::kAutoSuffix);
        if (autoCopy.isEmpty() || record.autoName.isEmpty() ||
            !copyInto(autoCopy, plan.current, names)) {
            return result;
        }
    }
    // The run folder itself must be on disk before its record.
    if (!shell::syncFolder(run.path()) || !shell::syncFolder(dataFolder_) ||
        !record.write(run.path())) {
        return result;
    }
    switch (record.settle(dataFolder_, run.path())) {
        case ReplaceRecord::Outcome::Finished:
            result.outcome = ReplaceResult::Replaced;
            result.safetyBackup = record.autoName;
            break;
        case ReplaceRecord::Outcome::Undone:
            break;
        case ReplaceRecord::Outcome::Stuck:
            run.keep();
            break;
    }
    return result;
}
