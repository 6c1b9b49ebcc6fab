#pragma once

#include <QString>
#include <QStringList>

// Rules for the names of data files and backups.
namespace FileNames {

// A name that stands for one entry of a folder: not empty, no folder part ("/" or "\"),
// not "." or "..".
bool isPlainName(const QString& name);

// A side file the database engine keeps next to a database: "-journal", "-wal", "-shm".
bool isEngineSideFile(const QString& name);

// The engine's side files of a file name, as they would stand next to it.
QStringList engineSideFiles(const QString& name);

// The last part of a path joined with "/".
QString fileNameOf(const QString& path);

}  // namespace FileNames
