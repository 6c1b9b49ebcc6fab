#include "DataReplace.h"

#include <unistd.h>

#include <QSet>
#include <filesystem>
#include <utility>

#include "BackupRoot.h"
#include "FileNames.h"
#include "platform/shell/FileCopy.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

bool present(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

uint64_t sizeOf(const fs::path& path) {
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    return error ? 0 : static_cast<uint64_t>(size);
}

uint64_t addSizes(uint64_t a, uint64_t b) {
    return b > UINT64_MAX - a ? UINT64_MAX : a + b;
}

fs::path workName(const fs::path& folder, const QString& name, const char* kind) {
    return folder / shell::toPath("." + name + "." + kind + "-" + QString::number(getpid()));
}

// The renames of one replacement, undone in reverse order when a later step fails.
class Moves {
  public:
    bool move(const fs::path& from, const fs::path& to) {
        std::error_code error;
        fs::rename(from, to, error);
        if (error) {
            return false;
        }
        done_.emplace_back(from, to);
        return true;
    }

    void undo() {
        for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
            std::error_code error;
            fs::rename(it->second, it->first, error);
        }
        done_.clear();
    }

  private:
    std::vector<std::pair<fs::path, fs::path>> done_;
};

// What a replacement takes: the sizes it needs and the files it replaces.
struct Plan {
    uint64_t incoming = 0;
    uint64_t kept = 0;
    QStringList current;
};

bool makePlan(const std::vector<IncomingFile>& files, const fs::path& folder, Plan& plan) {
    QSet<QString> names;
    for (const IncomingFile& file : files) {
        const fs::path source = shell::toPath(file.source);
        const fs::path target = folder / shell::toPath(file.name);
        std::error_code error;
        if (!FileNames::isPlainName(file.name) || FileNames::isEngineSideFile(file.name) ||
            names.contains(file.name) || !fs::is_regular_file(fs::symlink_status(source, error))) {
            return false;
        }
        names.insert(file.name);
        plan.incoming = addSizes(plan.incoming, sizeOf(source));
        if (present(target)) {
            if (!fs::is_regular_file(fs::symlink_status(target, error))) {
                return false;
            }
            plan.kept = addSizes(plan.kept, sizeOf(target));
            plan.current << shell::fromPath(target);
        }
    }
    return !files.empty();
}

bool copyBeside(const std::vector<IncomingFile>& files, const fs::path& folder,
                std::vector<fs::path>& copies) {
    for (const IncomingFile& file : files) {
        copies.push_back(workName(folder, file.name, "restore"));
        if (!shell::copyFiles(file.source, shell::fromPath(copies.back())).ok) {
            return false;
        }
    }
    return true;
}

// Moves each replaced file and its engine side files aside, then the copy into place.
bool moveIntoPlace(const std::vector<IncomingFile>& files, const fs::path& folder,
                   const std::vector<fs::path>& copies, Moves& moves,
                   std::vector<fs::path>& asides) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        QStringList replaced = FileNames::engineSideFiles(files[i].name);
        replaced.prepend(files[i].name);
        for (const QString& name : replaced) {
            const fs::path path = folder / shell::toPath(name);
            if (present(path)) {
                asides.push_back(workName(folder, name, "old"));
                if (!moves.move(path, asides.back())) {
                    return false;
                }
            }
        }
        if (!moves.move(copies[i], folder / shell::toPath(files[i].name))) {
            return false;
        }
    }
    return true;
}

}  // namespace

DataReplace::DataReplace(const QString& dataFolder) : dataFolder_(dataFolder) {}

ReplaceResult DataReplace::run(const std::vector<IncomingFile>& files, const vb::Date& time) const {
    ReplaceResult result;
    const fs::path folder = shell::toPath(dataFolder_);
    Plan plan;
    if (!makePlan(files, folder, plan)) {
        return result;
    }
    result.required = addSizes(plan.incoming, plan.kept);
    if (shell::freeSpace(dataFolder_) < result.required) {
        result.outcome = ReplaceResult::NoSpace;
        return result;
    }

    const BackupRoot backups(dataFolder_);
    const bool rootExisted = present(shell::toPath(backups.path()));
    std::error_code error;
    const bool folderMade = fs::create_directories(folder, error);
    if (!plan.current.isEmpty()) {
        result.safetyBackup = backups.create(plan.current, time);
    }
    std::vector<fs::path> copies;
    Moves moves;
    std::vector<fs::path> asides;
    const bool done = !error && (plan.current.isEmpty() || !result.safetyBackup.isEmpty()) &&
                      copyBeside(files, folder, copies) &&
                      moveIntoPlace(files, folder, copies, moves, asides);
    if (!done) {
        moves.undo();
        asides.clear();
    }
    for (const fs::path& path : copies) {
        fs::remove(path, error);
    }
    for (const fs::path& path : asides) {
        fs::remove_all(path, error);
    }
    if (done) {
        result.outcome = ReplaceResult::Replaced;
        return result;
    }
    if (!result.safetyBackup.isEmpty()) {
        backups.remove(result.safetyBackup);
        result.safetyBackup.clear();
    }
    if (!rootExisted) {
        fs::remove(shell::toPath(backups.path()), error);
    }
    if (folderMade) {
        fs::remove(folder, error);
    }
    return result;
}
