#include "TempTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TempTree::TempTree() = default;

QString TempTree::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + "/" + relative;
}

void TempTree::write(const QString& relative, const QByteArray& contents) const {
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(contents);
    }
}

QByteArray TempTree::read(const QString& relative) const {
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList TempTree::files(const QString& relative) const {
    const QDir base(path(relative));
    QStringList found;
    QDirIterator it(base.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << base.relativeFilePath(it.next());
    }
    found.sort();
    return found;
}

void TempTree::writeSampleSource() const {
    for (const char* name : {"a.ini", "b.txt", "noext", ".hidden", "data1.mde", "data2.mde",
                             "data10.mde", "sub/c.ini", "sub/deep/d.txt"}) {
        write(QString("src/") + name, name);
    }
}
