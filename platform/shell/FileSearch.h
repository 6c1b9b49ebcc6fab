#pragma once

#include <QString>
#include <vector>

namespace shell {

// One entry that a search found. `path` is the pattern's folder part followed by `name`.
struct FoundEntry {
    QString name;
    QString path;
    bool isFolder = false;
};

// True when a name holds "*" or "?".
bool hasWildcards(const QString& name);

// Name matching as the file search does it: "*" any run of characters, "?" one character,
// letter case ignored; a trailing ".*" also matches a name that ends there, so "*.*"
// matches every name, also one without a dot.
bool matchesPattern(const QString& name, const QString& pattern);

// The entries of one folder that a pattern names, sorted by name. The wildcards may stand
// in the last part only ("/a/b/*.ini"); a pattern without wildcards names that one file
// or folder, spelt as stored; a pattern ending in "/" lists the whole folder. "." and ".." are
// never returned. A missing folder gives no entries.
std::vector<FoundEntry> findFiles(const QString& pattern);

}  // namespace shell
