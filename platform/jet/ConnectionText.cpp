#include "ConnectionText.h"

#include "SqlLexer.h"

namespace jet {

namespace {

// Reads a value starting at `i` up to the ";" that ends it; false when a quote or
// brace is never closed. A value without quotes is taken as it stands, blanks included.
bool readValue(QStringView text, qsizetype& i, QString& value) {
    qsizetype start = i;
    while (start < text.size() && text[start] == u' ') {
        ++start;
    }
    const QChar open = start < text.size() ? text[start] : QChar();
    if (open == u'"' || open == u'\'' || open == u'{') {
        i = start;
        const QChar close = open == u'{' ? u'}' : open;
        for (++i;; ++i) {
            if (i >= text.size()) {
                return false;
            }
            if (text[i] == close) {
                if (close != u'}' && i + 1 < text.size() && text[i + 1] == close) {
                    value += close;
                    ++i;
                    continue;
                }
                ++i;
                break;
            }
            value += text[i];
        }
        if (open == u'{') {
            value = u'{' + value + u'}';
        }
        while (i < text.size() && text[i] != u';') {
            ++i;
        }
        return true;
    }
    const qsizetype end = text.indexOf(u';', i);
    value = text.mid(i, (end < 0 ? text.size() : end) - i).toString();
    i = end < 0 ? text.size() : end;
    return true;
}

}  // namespace

std::optional<ConnectionText> ConnectionText::parse(QStringView text) {
    ConnectionText result;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = text.indexOf(u';', i);
        const qsizetype equals = text.indexOf(u'=', i);
        if (equals < 0 || (end >= 0 && end < equals)) {
            if (!text.mid(i, (end < 0 ? text.size() : end) - i).trimmed().isEmpty()) {
                return std::nullopt;
            }
            i = end < 0 ? text.size() : end + 1;
            continue;
        }
        const QString key = asciiLower(text.mid(i, equals - i).trimmed());
        i = equals + 1;
        QString value;
        if (key.isEmpty() || !readValue(text, i, value)) {
            return std::nullopt;
        }
        result.items_.insert(key, value);
        ++i;
    }
    return result;
}

QString ConnectionText::quote(const QString& value) {
    const bool plain = !value.contains(u';') && !value.contains(u'"') && !value.contains(u'\'') &&
                       !value.startsWith(u'{') && value.trimmed().size() == value.size();
    if (plain) {
        return value;
    }
    QString inner = value;
    return u'"' + inner.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString ConnectionText::value(QStringView key) const {
    return items_.value(asciiLower(key));
}

bool ConnectionText::contains(QStringView key) const {
    return items_.contains(asciiLower(key));
}

}  // namespace jet
