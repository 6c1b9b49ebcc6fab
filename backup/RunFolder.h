#pragma once

#include <QString>

#include "DataFolderLock.h"

// The private work folder of one operation on a data folder: ".work-" and six random
// letters in the data folder (made when missing), readable by the user alone. The data
// folder stays locked (DataFolderLock) while the object lives. The folder, the partial
// file it notes and the data folder it made (when left empty) are removed when the
// object ends; after a crash the next start removes them (DataRecovery).
class RunFolder {
  public:
    static constexpr const char* kPrefix = ".work-";
    // The file in a run folder that names its partial files (notePartFile).
    static constexpr const char* kPartRecord = "part";

    explicit RunFolder(const QString& dataFolder);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    // False when the folder could not be made or the data folder is locked elsewhere.
    bool ok() const { return !path_.isEmpty(); }
    QString path() const { return path_; }
    QString dataFolder() const { return dataFolder_; }

    // Makes the folder path() & "/" & name; its path, or "" on failure.
    QString makeFolder(const QString& name) const;

    // A new name beside target, "." & the target's name (shortened when too long) &
    // ".part-" & six random letters, for a file or a folder that will be renamed onto target
    // or that stands aside for it, on the target's own file system. The name is noted in the
    // run folder (and the note flushed) before it is returned, so that a crash leaves no
    // partial file behind; "" on failure. A run may note any number of them.
    QString notePartFile(const QString& target);
    // The same for the run folder runFolder of dataFolder, whose object may be gone (the
    // recovery at start-up settling an earlier run).
    static QString notePartFile(const QString& runFolder, const QString& dataFolder,
                                const QString& target);

    // Whether a name is one that notePartFile makes.
    static bool isPartFileName(const QString& name);

    // Leaves the run folder in place when the object ends (its work could be neither
    // finished nor undone; the next start tries again).
    void keep() { kept_ = true; }

    // Removes a run folder with everything in it and the partial files it notes. When a
    // partial file cannot be removed the run folder stays, so that the next start tries
    // again; false then.
    static bool discard(const QString& runFolder);

  private:
    QString dataFolder_;
    bool dataFolderMade_ = false;
    DataFolderLock lock_;
    QString path_;
    bool kept_ = false;
};
