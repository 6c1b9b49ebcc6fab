#include "FileSearch.h"

#include <QList>
#include <algorithm>
#include <filesystem>

#include "PathText.h"

namespace fs = std::filesystem;

namespace shell {

namespace {

bool matchFolded(const QList<uint>& name, const QList<uint>& pattern) {
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (starPattern >= 0) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

QList<uint> folded(const QString& text) {
    QList<uint> codes = text.toUcs4();
    for (uint& code : codes) {
        code = QChar::toCaseFolded(char32_t(code));
    }
    return codes;
}

bool isDotName(const QString& name) {
    return name == "." || name == "..";
}

FoundEntry entryFor(const QString& prefix, const QString& name) {
    FoundEntry entry{name, prefix + name, false};
    std::error_code error;
    entry.isFolder = fs::is_directory(toPath(entry.path), error);
    return entry;
}

}  // namespace

bool hasWildcards(const QString& name) {
    return name.contains('*') || name.contains('?');
}

bool matchesPattern(const QString& name, const QString& pattern) {
    const QList<uint> foldedName = folded(name);
    if (matchFolded(foldedName, folded(pattern))) {
        return true;
    }
    return pattern.endsWith(".*") && matchFolded(foldedName, folded(pattern.chopped(2)));
}

std::vector<FoundEntry> findFiles(const QString& pattern) {
    std::vector<FoundEntry> found;
    if (pattern.isEmpty()) {
        return found;
    }
    const qsizetype slash = pattern.lastIndexOf('/');
    const QString prefix = pattern.left(slash + 1);
    QString namePattern = pattern.mid(slash + 1);
    if (namePattern.isEmpty()) {
        namePattern = "*";
    }

    if (!hasWildcards(namePattern)) {
        std::error_code error;
        if (!isDotName(namePattern) && fs::exists(fs::symlink_status(toPath(pattern), error))) {
            found.push_back(entryFor(prefix, namePattern));
        }
        return found;
    }

    std::error_code error;
    const fs::path folder = prefix.isEmpty() ? fs::path(".") : toPath(prefix);
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const QString name = fromPath(it->path().filename());
        if (!isDotName(name) && matchesPattern(name, namePattern)) {
            found.push_back(entryFor(prefix, name));
        }
    }
    std::sort(found.begin(), found.end(),
              [](const FoundEntry& a, const FoundEntry& b) { return a.name < b.name; });
    return found;
}

}  // namespace shell
