#pragma once

#include <QString>
#include <QStringList>

#include "platform/shell/PathText.h"

// Rules for the names of data files and backups.
namespace FileNames {

// isPlainName and fileNameOf as the file layer reads names and paths.
using shell::fileNameOf;
using shell::isPlainName;

// A side file the database engine keeps next to a database: "-journal", "-wal", "-shm".
bool isEngineSideFile(const QString& name);

// The engine's side files of a file name, as they would stand next to it.
QStringList engineSideFiles(const QString& name);

}  // namespace FileNames
