#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/runtime/Date.h"

// One file to put into the data folder: the file it is copied from and its name there.
struct IncomingFile {
    QString source;
    QString name;
};

struct ReplaceResult {
    enum Outcome { Replaced, NoSpace, Refused, Failed };
    Outcome outcome = Failed;
    // Bytes the replacement needs on the data folder's volume.
    uint64_t required = 0;
    // The automatic copy of the replaced files in the backup root; "" when none was made.
    QString safetyBackup;
    // The files were replaced without an automatic copy: the backup root cannot be written.
    bool automaticCopyMissing = false;

    explicit operator bool() const { return outcome == Replaced; }
};

// Puts a set of files into the data folder as one step, so that the folder holds either
// all the new files or exactly what it held before, also when the program is stopped at
// any point (the next start settles what was begun; see DataRecovery).
class DataReplace {
  public:
    // Looks at the copies of the new files before anything is replaced (the folder that
    // holds them under their names in the data folder): false refuses them.
    using Acceptance = std::function<bool(const QString& copies)>;

    // databaseName: the data folder's database; without it no automatic copy is made.
    DataReplace(const QString& dataFolder, const QString& databaseName);

    // 1. Checks: plain, distinct names that are no engine side files; every source a
    //    regular file; every file it replaces a regular file or a link to one (the file it
    //    points to is then replaced and the link kept); room on the volume for the
    //    new copies and for the automatic copy (NoSpace otherwise).
    // 2. Copies every source into a run folder of the data folder (RunFolder) and lets
    //    accept look at the copies (Refused when it refuses them).
    // 3. Copies the new file of a link beside the file it points to, and, when the database
    //    is there, the files it replaces as the automatic copy beside its place in the backup
    //    root, which takes the place of any earlier one once the replacement is made: every
    //    copy lies on its destination's own file system.
    // 4. Records the replacement and settles it (ReplaceRecord): the replaced files and
    //    the engine's side files next to them are moved out, the copies moved in.
    //    When that can be neither finished nor undone, it is taken up once more at once.
    // Any failure leaves the data folder as it was.
    ReplaceResult run(const std::vector<IncomingFile>& files, const vb::Date& time,
                      const Acceptance& accept = {}) const;

  private:
    QString dataFolder_;
    QString databaseName_;
};
