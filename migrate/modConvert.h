#pragma once

#include <QString>
#include <cstdint>

#include "DetaCheckSet.h"
#include "InstallInfo.h"

// The transfer of an earlier installation's data into the new database through CSV
// files in the "convert" folder of the new installation.
namespace modConvert {

// The connection text of a database file; readOnly opens it for reading only ("Mode=Read;"),
// as the earlier installation's database always is.
QString DatabaseConnection(const QString& path, const QString& password, bool readOnly);

// The tables that are moved, in the order of export and import.
QString TableList();
// The folder of the work files: the new installation's "convert" folder.
QString ConvertFolder(const QString& newDatabasePath);

// The folder that takes the backup of an earlier installation that cannot be written:
// "migration-backup" beside the new database.
QString SpareBackupFolder(const QString& newDatabasePath);

// Copies the data files named in the installation's backup.ini (each with the journal
// beside it, when there is one) into a new dated folder under its "backup" folder, or
// under spareFolder when the installation's folder cannot be written; backupFolder
// receives the dated folder. Dated folders that a backup stopped by a crash left in either
// place are removed first. False when backup.ini names no file, its first file is missing,
// or a copy fails (the dated folder is removed again); neededBytes, when given, receives
// the size of the backup when the disk has no room for it. The installation's files are
// only read.
bool BackupInstallation(const QString& installFolder, const QString& spareFolder,
                        QString& backupFolder, uint64_t* neededBytes = nullptr);
// Creates and empties the convert folder and copies the new database into it as the work
// copy, which the migration fills; the new database itself is only replaced at the end.
bool PrepareConvertFolder(const QString& newDatabasePath);
// The work copy in the convert folder, under the database's file name.
QString WorkCopyPath(const QString& newDatabasePath);
bool DeleteWorkCopy(const QString& newDatabasePath);

// Writes the whole table of the database (opened for reading only) into the CSV file: a header line
// with the column names, then one line per row; texts and dates as literals in single quotes (a
// quote doubled), other values bare, Null numbers as empty fields; lines end with CR LF.
bool ExportTable(const QString& databasePath, const QString& password, const QString& table,
                 const QString& csvPath);
// Replaces the table's rows with those of the CSV file, in the columns that both have,
// in one transaction. False, with the table unchanged, when any row cannot be stored.
bool ImportTable(const QString& databasePath, const QString& password, const QString& table,
                 const QString& csvPath);

// Whether the earlier database (with DetaCheck_Set::SourcePassword) holds what the
// migration reads and may be read safely: the four tables with the columns that are read
// by name, of their kinds, whatever else they or the file hold; no view, generated column
// or index expression in their place; their pages sound; checked in bounded time and
// without running anything the file defines. Runs before anything of it is read. timedOut,
// when given, tells whether a false was the check running out of time rather than a finding.
bool CheckEarlierDatabase(const QString& sourceDatabasePath, bool* timedOut = nullptr);
// Whether the new database (with its settings row) passes the check of a database that
// comes from outside.
bool CheckNewDatabase(const QString& targetDatabasePath);

// The whole transfer: backup of the earlier installation, work copy, export, import into
// the work copy and the post-import conversion there; then the work copy replaces the new
// database in one recorded replacement of its folder (DataReplace), so that the folder
// holds the database from before the migration or the whole migrated one, also after a
// crash (the next start of any program settles it). backupFolder receives the folder of
// the earlier installation's backup; keptFolder, when the replacement could be neither
// finished nor undone even by the recovery run at once, the work folder that keeps the
// database from before the migration; neededBytes, when the backup found no room on its
// disk, the size it needed. DetaCheck_Set::CheckSourceData must have run before.
bool ConvertData(const QString& sourceFolder, const QString& sourceDatabasePath,
                 const InstallInfo& target, const QString& targetDatabasePath,
                 const DetaCheck_Set::Progress& progress, QString& backupFolder,
                 QString* keptFolder = nullptr, uint64_t* neededBytes = nullptr);

// The program's entry: with exactly "/install" (letter case aside) the wizard runs;
// any other command line is refused with a message. When the earlier data does not fit
// the settings, the setup runs again in reset mode and then the wizard again. Returns
// when the wizard has ended.
void Main(const QString& commandLine);
// Runs the setup wizard again in reset mode ("ostrail /install reset" from the program
// folder) and waits until it has ended; false when it is not there, cannot be started or
// crashed.
bool RestartSetup();

}  // namespace modConvert
