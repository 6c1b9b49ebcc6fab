#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "platform/runtime/Date.h"

// One file to put into the data folder: the file it is copied from and its name there.
struct IncomingFile {
    QString source;
    QString name;
};

struct ReplaceResult {
    enum Outcome { Replaced, NoSpace, Failed };
    Outcome outcome = Failed;
    // Bytes the replacement needs on the data folder's volume.
    uint64_t required = 0;
    // The backup folder that keeps the replaced files; "" when no file was replaced.
    QString safetyBackup;

    explicit operator bool() const { return outcome == Replaced; }
};

// Puts a set of files into the data folder as one step, so that the folder holds either
// all the new files or exactly what it held before.
class DataReplace {
  public:
    explicit DataReplace(const QString& dataFolder);

    // 1. Checks: plain, distinct names that are no engine side files; every source a
    //    regular file; every file it replaces a regular file; room on the volume for the
    //    new copies and for the safety backup (NoSpace otherwise).
    // 2. Keeps the current versions of the files it replaces as a folder backup of the
    //    time (the safety backup, which stays after a successful replacement).
    // 3. Copies every source beside its target under a work name.
    // 4. Moves each replaced file, with the engine's side files next to it ("-journal",
    //    "-wal", "-shm"), aside and the copy into its place.
    // 5. Removes what was moved aside.
    // Any failure undoes the moves, removes the copies and the safety backup and leaves
    // the data folder as it was.
    ReplaceResult run(const std::vector<IncomingFile>& files, const vb::Date& time) const;

  private:
    QString dataFolder_;
};
