#include "Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace registry {

namespace {

// The sub-key as a settings group: "/" between the parts, none at either end.
QString GroupOf(const QString& subKey) {
    QString group = subKey;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = group.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/'));
}

}  // namespace

QString FilePath(uint32_t rootKey) {
    if (rootKey != HKEY_CURRENT_USER) {
        return QString();
    }
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configHome.isEmpty()) {
        return QString();
    }
    return configHome + QStringLiteral("/Kelvarn/registry.ini");
}

bool WriteString(uint32_t rootKey, const QString& subKey, const QString& valueName,
                 const QString& value) {
    const QString path = FilePath(rootKey);
    const QString group = GroupOf(subKey);
    if (path.isEmpty() || group.isEmpty() || valueName.isEmpty()) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(group);
    settings.setValue(valueName, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString ReadString(uint32_t rootKey, const QString& subKey, const QString& valueName) {
    const QString path = FilePath(rootKey);
    const QString group = GroupOf(subKey);
    if (path.isEmpty() || group.isEmpty() || valueName.isEmpty() || !QFileInfo::exists(path)) {
        return QString();
    }
    QSettings settings(path, QSettings::IniFormat);
    settings.beginGroup(group);
    return settings.value(valueName).toString();
}

}  // namespace registry
