#include "PathText.h"

#include <QFile>

namespace shell {

std::filesystem::path toPath(const QString& text) {
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

QString fromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QString fileNameOf(const QString& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

bool isEntryName(const QString& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains(QChar(0));
}

bool isPlainName(const QString& name) {
    return isEntryName(name) && !name.contains('\\');
}

}  // namespace shell
