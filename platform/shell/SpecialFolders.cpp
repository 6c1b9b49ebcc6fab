#include "SpecialFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace shell {

namespace {

QString xdgDataHome() {
    // Relative values are to be ignored, as the XDG base directory rules say.
    const QString fromEnvironment = qEnvironmentVariable("XDG_DATA_HOME");
    if (!fromEnvironment.isEmpty() && QDir::isAbsolutePath(fromEnvironment)) {
        return QDir::cleanPath(fromEnvironment);
    }
    return QDir::cleanPath(QDir::homePath() + "/.local/share");
}

}  // namespace

QString specialFolderPath(int32_t csidl) {
    switch (csidl) {
        case csidlLocalAppData:
            return xdgDataHome();
        case csidlPersonal:
            return QDir::cleanPath(
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        case csidlDesktop:
            return QDir::cleanPath(
                QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
        default:
            return QString();
    }
}

}  // namespace shell
