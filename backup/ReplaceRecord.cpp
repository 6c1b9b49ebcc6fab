#include "ReplaceRecord.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <filesystem>

#include "BackupRoot.h"
#include "FileNames.h"
#include "RunFolder.h"
#include "platform/shell/DurableFiles.h"
#include "platform/shell/FileInfo.h"
#include "platform/shell/Folders.h"
#include "platform/shell/PathText.h"

namespace fs = std::filesystem;

namespace {

const QString kRecord = QStringLiteral("replace");
// Records are read whole, whatever their size (one of many long names runs to megabytes).
constexpr qint64 kRecordMaxBytes = qint64(1) << 30;

// Moves from to to unless to is taken; true when nothing is left to move.
bool moveIfPresent(const QString& from, const QString& to) {
    if (!shell::entryExists(from)) {
        return true;
    }
    return !shell::entryExists(to) && shell::moveEntry(from, to);
}

QString folderOf(const QString& path) {
    return path.left(path.lastIndexOf('/'));
}

// Where each of a record's files goes and waits.
class Places {
  public:
    Places(const ReplaceRecord& record, const QString& dataFolder, const QString& runFolder)
        : record_(record),
          data_(dataFolder),
          run_(runFolder),
          backups_(dataFolder),
          root_(backups_.path()) {}

    // The folder that holds the data file of the name, and the file's name there.
    QString folder(const QString& name) const {
        const auto linked = record_.linked.constFind(name);
        return linked == record_.linked.cend() ? data_ : folderOf(linked->target);
    }
    QString file(const QString& name) const {
        const auto linked = record_.linked.constFind(name);
        return linked == record_.linked.cend() ? name : shell::fileNameOf(linked->target);
    }
    QString data(const QString& name, const QString& file) const {
        return folder(name) + "/" + file;
    }
    QString incoming(const QString& name) const {
        const auto linked = record_.linked.constFind(name);
        return (linked == record_.linked.cend() ? run_ + "/new" : linked->incoming) + "/" +
               file(name);
    }
    // The folder the name's replaced files wait in.
    QString replacedFolder(const QString& name) const {
        const auto linked = record_.linked.constFind(name);
        return linked == record_.linked.cend() ? run_ + "/old" : linked->replaced;
    }
    QString autoCopy() const {
        return record_.autoWork.isEmpty() ? run_ + "/auto" : record_.autoWork;
    }
    QString backup(const QString& name) const { return root_ + "/" + name; }
    // The file and the engine's side files next to it.
    QStringList aside(const QString& name) const {
        QStringList files = FileNames::engineSideFiles(file(name));
        files.prepend(file(name));
        return files;
    }

    bool makeReplacedFolders() const {
        bool made = shell::makeFolder(run_ + "/old");
        for (const ReplaceRecord::Linked& linked : record_.linked) {
            made = made && shell::makeFolder(linked.replaced);
        }
        return made;
    }

    void sync() const {
        for (const QString& folder : {data_, run_ + "/new", run_ + "/old", root_, run_}) {
            shell::syncFolder(folder);
        }
        for (const ReplaceRecord::Linked& linked : record_.linked) {
            for (const QString& folder :
                 {folderOf(linked.target), linked.incoming, linked.replaced}) {
                shell::syncFolder(folder);
            }
        }
    }

    const QString& run() const { return run_; }
    const QString& dataFolder() const { return data_; }
    const QString& root() const { return root_; }
    const BackupRoot& backups() const { return backups_; }

  private:
    const ReplaceRecord& record_;
    QString data_;
    QString run_;
    BackupRoot backups_;
    QString root_;
};

bool forward(const ReplaceRecord& record, const Places& places) {
    if (!places.makeReplacedFolders()) {
        return false;
    }
    for (const QString& name : record.names) {
        if (!shell::entryExists(places.incoming(name))) {
            continue;  // already in place
        }
        for (const QString& file : places.aside(name)) {
            if (!moveIfPresent(places.data(name, file), places.replacedFolder(name) + "/" + file)) {
                return false;
            }
        }
        if (!shell::moveEntry(places.incoming(name), places.data(name, places.file(name)))) {
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
            !moveIfPresent(places.data(name, places.file(name)), places.incoming(name))) {
            return false;
        }
        for (const QString& file : places.aside(name)) {
            if (!moveIfPresent(places.replacedFolder(name) + "/" + file, places.data(name, file))) {
                return false;
            }
        }
    }
    places.sync();
    return true;
}

// Each older copy leaves the root in one step, under a name noted in the run, before it
// is removed, so that no part of one is ever listed; what cannot be removed now goes with
// the run or at the next start.
void removeOlderAutomaticCopies(const ReplaceRecord& record, const Places& places) {
    if (record.autoName.isEmpty()) {
        return;
    }
    QStringList removed;
    for (const QString& name : places.backups().names()) {
        if (!BackupRoot::isAutoName(name) || name == record.autoName) {
            continue;
        }
        const QString aside =
            RunFolder::notePartFile(places.run(), places.dataFolder(), places.backup(name));
        if (!aside.isEmpty() && shell::moveEntry(places.backup(name), aside)) {
            removed << aside;
        }
    }
    shell::syncFolder(places.root());
    for (const QString& aside : removed) {
        shell::removeTree(aside);
    }
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

// Whether everything left in the folders of replaced files is a file that the record
// replaced, or an engine side file of one, whose new file is in place: only then may the
// run folder go. Anything else (a record that does not match its folder) is data to keep.
bool onlyReplacedFilesLeft(const ReplaceRecord& record, const Places& places) {
    QMap<QString, QMap<QString, QString>> replacedBy;  // folder, file left: the name
    for (const QString& name : record.names) {
        for (const QString& file : places.aside(name)) {
            replacedBy[places.replacedFolder(name)].insert(file, name);
        }
    }
    for (auto folder = replacedBy.cbegin(); folder != replacedBy.cend(); ++folder) {
        for (const QString& left : namesIn(folder.key())) {
            const auto name = folder->constFind(left);
            if (name == folder->cend() ||
                !shell::entryExists(places.data(*name, places.file(*name))) ||
                shell::entryExists(places.incoming(*name))) {
                return false;
            }
        }
    }
    return true;
}

bool nothingReplacedLeft(const ReplaceRecord& record, const Places& places) {
    bool empty = namesIn(places.run() + "/old").isEmpty();
    for (const ReplaceRecord::Linked& linked : record.linked) {
        empty = empty && namesIn(linked.replaced).isEmpty();
    }
    return empty;
}

bool removeRecord(const QString& runFolder) {
    return shell::removeTree(runFolder + "/" + kRecord) && shell::syncFolder(runFolder);
}

bool isValidName(const QString& name) {
    return shell::isEntryName(name) && !FileNames::isEngineSideFile(name);
}

bool isAbsolute(const QString& path) {
    return path.startsWith('/') && shell::isEntryName(shell::fileNameOf(path));
}

// A linked file's folders lie beside the file it points to.
bool isValidLinked(const ReplaceRecord::Linked& linked) {
    const QString folder = folderOf(linked.target);
    return isAbsolute(linked.target) && isAbsolute(linked.incoming) &&
           isAbsolute(linked.replaced) && folderOf(linked.incoming) == folder &&
           folderOf(linked.replaced) == folder && linked.incoming != linked.replaced &&
           linked.incoming != linked.target && linked.replaced != linked.target;
}

}  // namespace

bool ReplaceRecord::write(const QString& runFolder) const {
    QJsonObject object;
    object.insert("names", QJsonArray::fromStringList(names));
    object.insert("auto", autoName);
    if (!autoWork.isEmpty()) {
        object.insert("autoWork", autoWork);
    }
    QJsonObject links;
    for (auto it = linked.cbegin(); it != linked.cend(); ++it) {
        links.insert(it.key(), QJsonObject{{"target", it->target},
                                           {"incoming", it->incoming},
                                           {"replaced", it->replaced}});
    }
    if (!links.isEmpty()) {
        object.insert("linked", links);
    }
    const QString written = runFolder + "/" + kRecord + ".new";
    return shell::writeNewFile(written, QJsonDocument(object).toJson(QJsonDocument::Compact)) &&
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
    record.autoWork = object.value("autoWork").toString();
    const QJsonObject links = object.value("linked").toObject();
    bool linksValid = true;
    for (auto it = links.constBegin(); it != links.constEnd(); ++it) {
        const QJsonObject link = it.value().toObject();
        const Linked linked{link.value("target").toString(), link.value("incoming").toString(),
                            link.value("replaced").toString()};
        linksValid = linksValid && record.names.contains(it.key()) && isValidLinked(linked);
        record.linked.insert(it.key(), linked);
    }
    const bool valid = !record.names.isEmpty() && linksValid &&
                       std::all_of(record.names.begin(), record.names.end(), isValidName) &&
                       record.names.removeDuplicates() == 0 &&
                       (record.autoName.isEmpty() || BackupRoot::isAutoName(record.autoName)) &&
                       (record.autoWork.isEmpty() || isAbsolute(record.autoWork));
    return valid ? std::optional<ReplaceRecord>(record) : std::nullopt;
}

ReplaceRecord::Outcome ReplaceRecord::settle(const QString& dataFolder,
                                             const QString& runFolder) const {
    const Places places(*this, dataFolder, runFolder);
    if (forward(*this, places)) {
        if (!onlyReplacedFilesLeft(*this, places)) {
            return Outcome::Stuck;
        }
        removeOlderAutomaticCopies(*this, places);
        removeRecord(runFolder);
        return Outcome::Finished;
    }
    if (back(*this, places)) {
        return nothingReplacedLeft(*this, places) && removeRecord(runFolder) ? Outcome::Undone
                                                                             : Outcome::Stuck;
    }
    return Outcome::Stuck;
}
