#include "FileNames.h"

#include <QStringList>

namespace FileNames {

namespace {

const QStringList kEngineSuffixes = {"-journal", "-wal", "-shm"};

}  // namespace

bool isPlainName(const QString& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\\') && !name.contains(QChar(0));
}

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

QString fileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

}  // namespace FileNames
