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

QString DialogFilter::withExtension(const QString& fileName, const QString& pattern) {
    const QString extension = pattern.mid(pattern.lastIndexOf('.') + 1);
    if (extension.isEmpty() || extension.contains('*') || extension.contains('?')) {
        return fileName;
    }
    const QString ending = QStringLiteral(".") + extension;
    return fileName.endsWith(ending, Qt::CaseInsensitive) ? fileName : fileName + ending;
}
