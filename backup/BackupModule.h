#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class RunFolder;

// The backup files: one file anywhere that holds the data files, either a ".bak" zip
// archive of every listed data file or a plain copy of the database as ".mde".
namespace BackupModule {

// Asks for the backup file in the save dialog (owned by owner) and writes it
// (WriteBackupFile); a cancelled dialog shows nothing. True only when the file was
// written.
bool SaveBackupFile(const QStringList& files, QWidget* owner);

// Writes the backup file path: a name ending in "MDE" (any letter case) gets a copy of
// files[0], the database; any other name an archive of all files. The database is settled
// first (SettledDatabase), so that the copy holds its whole state; a path that is a link
// gets the file it points to written. The file is made in a
// run folder of the data folder (the folder of files[0]) first and checked, then written
// beside path under a new name, flushed, compared and renamed into place, so that an
// earlier file of that name stays whole when anything fails, also in a crash. Every
// failure shows its own message. True only when the file was written.
bool WriteBackupFile(const QStringList& files, const QString& path);

// Asks for a backup file in the open dialog (owned by owner) and unpacks it into a new
// folder of the run: a ".mde" is copied there with its journal or log and settled
// (SettledDatabase), an archive is unpacked when it holds only
// plain top-level files and fits into the free space. The folder, or "" when cancelled
// or failed (after its message).
QString LoadBackupFile(QWidget* owner, const RunFolder& run);

}  // namespace BackupModule
