#include "PictureFolder.h"

#include <QDir>
#include <cstdio>

bool PictureFolder::Write(const QImage& picture, const QString& type, int id, int width,
                          int height) {
    const QString name = QStringLiteral("%1/%2").arg(type).arg(id);
    if (picture.width() != width || picture.height() != height) {
        std::fprintf(stderr, "%s: %dx%d instead of %dx%d\n", qPrintable(name), picture.width(),
                     picture.height(), width, height);
        failed_ = true;
        return false;
    }
    const QDir folder(root_);
    if (!folder.mkpath(type) || !picture.save(folder.filePath(name + QStringLiteral(".png")))) {
        std::fprintf(stderr, "%s: cannot be written into %s\n", qPrintable(name),
                     qPrintable(root_));
        failed_ = true;
        return false;
    }
    return true;
}
