#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

// A replacement of data files, recorded in its run folder (RunFolder) once everything it
// needs is there: the new files in the folder "new" of the run and, when one is made, the
// automatic copy of the files it replaces in "auto". From the moment the record is
// written the replacement counts as made; whoever meets the record (the operation itself,
// or the next start after a crash) settles it.
struct ReplaceRecord {
    // The data files put in place, by name.
    QStringList names;
    // The name the automatic copy takes in the backup root; "" when none was made.
    QString autoName;
    // Where the automatic copy waits, on the backup root's own file system; "" for the run
    // folder's "auto".
    QString autoWork;

    // A data file that is a link: it is the file the link points to that is replaced, so
    // its new copy and the files it replaces wait in folders beside it, on its own file
    // system.
    struct Linked {
        QString target;
        QString incoming;
        QString replaced;
    };
    // By the names of the data files that are links.
    QMap<QString, Linked> linked;

    enum class Outcome {
        Finished,  // the new files are in place, the automatic copy in the backup root
        Undone,    // a step failed; the data folder holds what it held before
        Stuck,     // neither could be done; the record and the run folder must stay
    };

    // Writes the record into the run folder and flushes it to disk.
    bool write(const QString& runFolder) const;
    // Whether a run folder holds a record.
    static bool present(const QString& runFolder);
    // The record of a run folder, whatever its size; nothing when it has none or it is not
    // valid.
    static std::optional<ReplaceRecord> read(const QString& runFolder);

    // Moves each replaced file, with the engine's side files next to it, into the run
    // folder's "old" and the new file into its place, then the automatic copy into the
    // backup root, and removes the older automatic copies. When a step fails, moves
    // everything back. Every step can be taken again after a crash at any point. The
    // record is removed unless the outcome is Stuck; once the new files are in place the
    // outcome is Finished, also when the record could not be removed (taking the
    // replacement up again then finds nothing left to do).
    Outcome settle(const QString& dataFolder, const QString& runFolder) const;
};
