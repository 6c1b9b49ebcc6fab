#include "VersionFunctions.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include "core/XXCommonFunctions.h"

namespace XX共通関数2 {

namespace {

vb::Date toDate(const QDateTime& time) {
    const QDateTime local = time.toLocalTime();
    const QDate day = local.date();
    const QTime clock = local.time();
    return vb::Date::fromYmdHms(day.year(), day.month(), day.day(), clock.hour(), clock.minute(),
                                clock.second());
}

}  // namespace

bool GetFileVersionStrings(const QString& path, FileVersionStrings& strings) {
    const QFileInfo program(path);
    if (!program.isFile()) {
        return false;
    }
    const QString ini = program.absolutePath() + "/version.ini";
    const QString version = XX共通関数::ReadIniString(ini, "Version", "ProductVersion");
    if (version.isEmpty()) {
        return false;
    }
    strings.ProductVersion = version;
    strings.ProductName = XX共通関数::ReadIniString(ini, "Version", "ProductName");
    return true;
}

bool GetFileTimes(const QString& path, std::array<vb::Date, 3>& times) {
    const QFileInfo file(path);
    if (!file.isFile()) {
        return false;
    }
    QDateTime created = file.birthTime();
    if (!created.isValid()) {
        created = file.metadataChangeTime();
    }
    times = {toDate(created), toDate(file.lastRead()), toDate(file.lastModified())};
    return true;
}

bool SplitVersion(const QString& text, std::array<int, 3>& parts) {
    const QStringList pieces = text.split(u'.');
    if (pieces.size() < 3) {
        return false;
    }
    std::array<int, 3> numbers{};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[static_cast<size_t>(i)] = pieces[i].trimmed().toInt(&ok);
        if (!ok) {
            return false;
        }
    }
    parts = numbers;
    return true;
}

QString ExpandEnvironment(const QString& text) {
    static const QRegularExpression name(QStringLiteral("%([^%]+)%"));
    QString out;
    qsizetype last = 0;
    for (auto it = name.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += text.mid(last, match.capturedStart() - last);
        const QByteArray variable = match.captured(1).toLocal8Bit();
        QString value = qEnvironmentVariable(variable.constData());
        if (value.isEmpty()) {
            for (const QByteArray& spelling : {variable.toUpper(), variable.toLower()}) {
                if (value.isEmpty()) {
                    value = qEnvironmentVariable(spelling.constData());
                }
            }
        }
        if (value.isEmpty() &&
            match.captured(1).compare("programfiles", Qt::CaseInsensitive) == 0) {
            value = QStringLiteral("/opt");
        }
        out += value.isEmpty() ? match.captured(0) : value;
        last = match.capturedEnd();
    }
    return out + text.mid(last);
}

}  // namespace XX共通関数2
