#pragma once

#include <QString>
#include <QStringList>

// The side files the database engine keeps next to a database.
namespace FileNames {

// A side file the database engine keeps next to a database: "-journal", "-wal", "-shm".
bool isEngineSideFile(const QString& name);

// The engine's side files of a file name, as they would stand next to it.
QStringList engineSideFiles(const QString& name);

}  // namespace FileNames
