#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File steps whose result must survive a crash or a power loss, and that never write
// through a name someone else could have planted.
namespace shell {

// Every step below that changes the disk first calls the hook with the step's name and
// the path it is about to change, so that a test can stop the program at any of them or
// meddle with the path. None unless set.
using DiskStepHook = void (*)(const char* step, const QString& path);
void setDiskStepHook(DiskStepHook hook);

// Six random letters and digits.
QString randomSuffix();

// A name beside target for a work file to be renamed onto it: "." & the target's name &
// "." & tag & "-" & randomSuffix(). The target's name is shortened as far as needed for
// the name to fit a folder entry (255 bytes).
QString sideFileName(const QString& target, const QString& tag);

// Creates a new folder in parent named prefix followed by randomSuffix(), readable by the
// user alone (mode 0700). Its path, or "" on failure.
QString makePrivateFolder(const QString& parent, const QString& prefix);

// Creates the folder path, readable by the user alone (mode 0700); false when anything is
// there already.
bool makeOwnFolder(const QString& path);

// Copies a regular file (not a link) into a new file, created under a name that did not
// exist (also no link), readable and writable by the user alone, with the source's
// modification time, and flushed to disk. A failure removes what it created.
bool copyToNewFile(const QString& from, const QString& to);

// Copies each source into folder under the name at the same place of names, as
// copyToNewFile does, then flushes the folder.
bool copyIntoFolder(const QStringList& sources, const QStringList& names, const QString& folder);

// The file a link points to, when path is a link the user made; path itself otherwise.
QString followLink(const QString& path);

// Writes the bytes into a new file as copyToNewFile does.
bool writeNewFile(const QString& path, const QByteArray& bytes);

// Reads a small regular file without following a link or waiting on a pipe; false when
// the path is anything else or the file is larger than maxBytes.
bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes);

// Renames an entry (a file there is replaced in one step); the folders are not flushed.
bool moveEntry(const QString& from, const QString& to);

// Flushes a folder's entries (names made, renamed or removed in it) to disk.
bool syncFolder(const QString& folder);

// Removes a file or a folder with everything in it; links are removed, not followed.
// True when nothing is left at the path.
bool removeTree(const QString& path);

}  // namespace shell
