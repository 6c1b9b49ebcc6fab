#include "IniFile.h"

#include <QFile>
#include <QList>
#include <QStringDecoder>
#include <optional>

namespace shell {

namespace {

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder shiftJis("CP932");
    return shiftJis(bytes);
}

// Only ASCII white space is removed, as the byte-oriented reader does; a full-width
// blank belongs to the text.
QString trimmedBlanks(QStringView text) {
    const auto isBlank = [](QChar c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin).toString();
}

QString unquoted(const QString& value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

std::optional<QString> findValue(const QString& text, const QString& section, const QString& key) {
    bool inSection = false;
    for (const QString& rawLine : text.split('\n')) {
        const QString line = trimmedBlanks(rawLine);
        if (line.isEmpty() || line.startsWith(';')) {
            continue;
        }
        if (line.startsWith('[')) {
            if (inSection) {
                return std::nullopt;
            }
            const qsizetype close = line.indexOf(']');
            const QString name =
                trimmedBlanks(QStringView(line).mid(1, close < 0 ? -1 : close - 1));
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection) {
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        const QString name =
            trimmedBlanks(QStringView(line).left(equals < 0 ? line.size() : equals));
        if (name.compare(key, Qt::CaseInsensitive) == 0) {
            return equals < 0 ? QString()
                              : unquoted(trimmedBlanks(QStringView(line).mid(equals + 1)));
        }
    }
    return std::nullopt;
}

// Cuts by whole characters, so that a pair of surrogates is never split.
QString limited(const QString& value, int bufferSize) {
    const QList<uint> codes = value.toUcs4();
    if (codes.size() < bufferSize) {
        return value;
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData()),
                             std::max(bufferSize - 1, 0));
}

}  // namespace

QString readIniString(const QString& iniPath, const QString& section, const QString& key,
                      const QString& defaultValue, int bufferSize) {
    const QString wantedSection = trimmedBlanks(section);
    const QString wantedKey = trimmedBlanks(key);
    std::optional<QString> value;
    QFile file(iniPath);
    if (!wantedSection.isEmpty() && !wantedKey.isEmpty() && file.open(QIODevice::ReadOnly)) {
        value = findValue(decode(file.readAll()), wantedSection, wantedKey);
    }
    return limited(value.value_or(defaultValue), bufferSize);
}

}  // namespace shell
