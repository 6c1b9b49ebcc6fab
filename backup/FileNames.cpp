#include "FileNames.h"

#include <QStringList>

namespace FileNames {

namespace {

const QStringList kEngineSuffixes = {"-journal", "-wal", "-shm"};

}  // namespace

bool isEngineSideFile(const QString& name) {
    for (const QString& suffix : kEngineSuffixes) {
        if (name.endsWith(suffix)) {
            return true;
        }
    }
    return false;
}

QStringList engineSideFiles(const QString& name) {
    QStringList names;
    for (const QString& suffix : kEngineSuffixes) {
        names << name + suffix;
    }
    return names;
}

}  // namespace FileNames
