#include "ReplaceRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <filesystem>

#include "BackupRoot.h"
#include "FileNames.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

const QString kRecord = QStringLiteral("replace");
// A record names a few data files; anything larger is not one.
constexpr qint64 kRecordMaxBytes = 1024 * 1024;

// Moves from to to unless to is taken; true when nothing is left to move.
bool moveIfPresent(const QString& from, const QString& to) {
    if (!shell::entryExists(from)) {
        return true;
    }
    return !shell::entryExists(to) && shell::moveEntry(from, to);
}

class Places {
  public:
    Places(const QString& dataFolder, const QString& runFolder)
        : data_(dataFolder), run_(runFolder), backups_(dataFolder), root_(backups_.path()) {}

    QString data(const QString& name) const { return data_ + "/" + name; }
    QString incoming(const QString& name) const { return run_ + "/new/" + name; }
    QString replaced(const QString& name) const { return run_ + "/old/" + name; }
    QString autoCopy() const { return run_ + "/auto"; }
    QString backup(const QString& name) const { return root_ + "/" + name; }

    void sync() const {
        for (const QString& folder : {data_, run_ + "/new", run_ + "/old", root_, run_}) {
            shell::syncFolder(folder);
        }
    }

    const QString& run() const { return run_; }
    const QString& root() const { return root_; }
    const BackupRoot& backups() const { return backups_; }

  private:
    QString data_;
    QString run_;
    BackupRoot backups_;
    QString root_;
};

bool forward(const ReplaceRecord& record, const Places& places) {
    if (!shell::makeFolder(places.run() + "/old")) {
        return false;
    }
    for (const QString& name : record.names) {
        if (!shell::entryExists(places.incoming(name))) {
            continue;  // already in place
        }
        QStringList aside = FileNames::engineSideFiles(name);
        aside << name;
        for (const QString& file : aside) {
            if (!moveIfPresent(places.data(file), places.replaced(file))) {
                return false;
            }
        }
        if (!shell::moveEntry(places.incoming(name), places.data(name))) {
            return false;
        }
    }
    if (!record.autoName.isEmpty() && shell::entryExists(places.autoCopy()) &&
        !(shell::makeFolder(places.root()) &&
          moveIfPresent(places.autoCopy(), places.backup(record.autoName)))) {
        return false;
    }
    places.sync();
    return true;
}

bool back(const ReplaceRecord& record, const Places& places) {
    if (!record.autoName.isEmpty() && !shell::entryExists(places.autoCopy()) &&
        !moveIfPresent(places.backup(record.autoName), places.autoCopy())) {
        return false;
    }
    for (auto it = record.names.rbegin(); it != record.names.rend(); ++it) {
        const QString& name = *it;
        if (!shell::entryExists(places.incoming(name)) &&
            !moveIfPresent(places.data(name), places.incoming(name))) {
            return false;
        }
        QStringList aside = FileNames::engineSideFiles(name);
        aside.prepend(name);
        for (const QString& file : aside) {
            if (!moveIfPresent(places.replaced(file), places.data(file))) {
                return false;
            }
        }
    }
    places.sync();
    return true;
}

void removeOlderAutomaticCopies(const ReplaceRecord& record, const Places& places) {
    if (record.autoName.isEmpty()) {
        return;
    }
    for (const QString& name : places.backups().names()) {
        if (BackupRoot::isAutoName(name) && name != record.autoName) {
            shell::removeTree(places.backup(name));
        }
    }
    shell::syncFolder(places.root());
}

// The names in a folder; nothing when it is missing.
QStringList namesIn(const QString& folder) {
    QStringList names;
    std::error_code error;
    fs::directory_iterator it(shell::toPath(folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        names << shell::fileNameOf(shell::fromPath(it->path()));
    }
    return names;
}

// Whether everything left in the run folder's "old" is a file that the record replaced,
// or an engine side file of one, whose new file is in place: only then may the run folder
// go. Anything else (a record that does not match its folder) is data to keep.
bool onlyReplacedFilesLeft(const ReplaceRecord& record, const Places& places) {
    for (const QString& left : namesIn(places.run() + "/old")) {
        const auto replaced =
            std::find_if(record.names.begin(), record.names.end(), [&](const QString& name) {
                return left == name || FileNames::engineSideFiles(name).contains(left);
            });
        if (replaced == record.names.end() || !shell::entryExists(places.data(*replaced)) ||
            shell::entryExists(places.incoming(*replaced))) {
            return false;
        }
    }
    return true;
}

bool removeRecord(const QString& runFolder) {
    return shell::removeTree(runFolder + "/" + kRecord) && shell::syncFolder(runFolder);
}

bool isValidName(const QString& name) {
    return shell::isEntryName(name) && !FileNames::isEngineSideFile(name);
}

}  // namespace

bool ReplaceRecord::write(const QString& runFolder) const {
    QJsonObject object;
    object.insert("names", QJsonArray::fromStringList(names));
    object.insert("auto", autoName);
    const QString written = runFolder + "/" + kRecord + ".new";
    return shell::writeNewFile(written, QJsonDocument(object).toJson()) &&
           shell::moveEntry(written, runFolder + "/" + kRecord) && shell::syncFolder(runFolder);
}

bool ReplaceRecord::present(const QString& runFolder) {
    return shell::entryExists(runFolder + "/" + kRecord);
}

std::optional<ReplaceRecord> ReplaceRecord::read(const QString& runFolder) {
    QByteArray bytes;
    if (!shell::readRegularFile(runFolder + "/" + kRecord, kRecordMaxBytes, bytes)) {
        return std::nullopt;
    }
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    ReplaceRecord record;
    for (const QJsonValue& name : object.value("names").toArray()) {
        record.names << name.toString();
    }
    record.autoName = object.value("auto").toString();
    const bool valid = !record.names.isEmpty() &&
                       std::all_of(record.names.begin(), record.names.end(), isValidName) &&
                       record.names.removeDuplicates() == 0 &&
                       (record.autoName.isEmpty() || BackupRoot::isAutoName(record.autoName));
    return valid ? std::optional<ReplaceRecord>(record) : std::nullopt;
}

ReplaceRecord::Outcome ReplaceRecord::settle(const QString& dataFolder,
                                             const QString& runFolder) const {
    const Places places(dataFolder, runFolder);
    if (forward(*this, places)) {
        if (!onlyReplacedFilesLeft(*this, places)) {
            return Outcome::Stuck;
        }
        removeOlderAutomaticCopies(*this, places);
        return removeRecord(runFolder) ? Outcome::Finished : Outcome::Stuck;
    }
    if (back(*this, places)) {
        return namesIn(places.run() + "/old").isEmpty() && removeRecord(runFolder) ? Outcome::Undone
                                                                                   : Outcome::Stuck;
    }
    return Outcome::Stuck;
}
