#include "DialogFilter.h"

namespace {

QString dialogPatterns(const QString& pattern) {
    QStringList patterns = pattern.split(';', Qt::SkipEmptyParts);
    for (QString& one : patterns) {
        one = one.trimmed();
        if (one == QStringLiteral("*.*")) {
            one = QStringLiteral("*");
        }
    }
    return patterns.join(' ');
}

// "." and the text after the pattern's last "."; "" when that is empty or a wildcard.
QString extensionOf(const QString& pattern) {
    const QString extension = pattern.mid(pattern.lastIndexOf('.') + 1);
    if (extension.isEmpty() || extension.contains('*') || extension.contains('?')) {
        return QString();
    }
    return QStringLiteral(".") + extension;
}

}  // namespace

DialogFilter::DialogFilter(const QString& filter) {
    const QStringList parts = filter.split(QChar(u'\0'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty() || !parts[i + 1].isEmpty()) {
            pairs_.push_back({parts[i], parts[i + 1]});
        }
    }
}

QStringList DialogFilter::nameFilters() const {
    QStringList filters;
    for (const Pair& pair : pairs_) {
        filters.append(pair.description + QStringLiteral(" (") + dialogPatterns(pair.pattern) +
                       QStringLiteral(")"));
    }
    return filters;
}

qsizetype DialogFilter::indexOf(const QString& nameFilter) const {
    const QStringList names = nameFilters();
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i] == nameFilter || pairs_[i].description.trimmed() == nameFilter.trimmed()) {
            return i;
        }
    }
    return 0;
}

QString DialogFilter::pattern(qsizetype index) const {
    return index >= 0 && index < static_cast<qsizetype>(pairs_.size()) ? pairs_[index].pattern
                                                                       : QString();
}

QString DialogFilter::withExtension(const QString& fileName, qsizetype index) const {
    for (const Pair& pair : pairs_) {
        const QString ending = extensionOf(pair.pattern);
        if (!ending.isEmpty() && fileName.endsWith(ending, Qt::CaseInsensitive)) {
            return fileName;
        }
    }
    return fileName + extensionOf(pattern(index));
}
