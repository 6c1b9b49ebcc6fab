#include <gtest/gtest.h>

#include "TempTree.h"
#include "platform/shell/FileSearch.h"

namespace {

struct MatchCase {
    const char* name;
    const char* pattern;
    bool matches;
};

TEST(FileSearchTest, MatchesNamesAsTheFileSearchDoes) {
    const MatchCase cases[] = {
        {"noext", "*.*", true},
        {"a.b.c", "*.*", true},
        {"data1.mde", "data?.mde", true},
        {"data10.mde", "data?.mde", false},
        {"data.mde", "data?.mde", false},
        {"BACKUP.INI", "*.ini", true},
        {"data", "data.*", true},
        {"data.txt", "data.*", true},
        {"file.txt", "*.t", false},
        {"ｆｉｌｅ.txt", "ｆ*", true},
        {"abc", "a*c*", true},
        {"abcd", "a*c", false},
        {"a", "", false},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(shell::matchesPattern(QString::fromUtf8(c.name), QString::fromUtf8(c.pattern)),
                  c.matches)
            << c.name << " / " << c.pattern;
    }
}

QStringList names(const std::vector<shell::FoundEntry>& entries) {
    QStringList result;
    for (const shell::FoundEntry& entry : entries) {
        result << entry.name;
    }
    return result;
}

TEST(FileSearchTest, ListsTheEntriesOfOneFolder) {
    TempTree tree;
    tree.writeSampleSource();
    const QStringList all{".hidden",    "a.ini",     "b.txt", "data1.mde",
                          "data10.mde", "data2.mde", "noext", "sub"};
    const struct {
        QString pattern;
        QStringList expected;
    } cases[] = {
        {"src/*.*", all},
        {"src/", all},
        {"src/*.mde", {"data1.mde", "data10.mde", "data2.mde"}},
        {"src/data?.mde", {"data1.mde", "data2.mde"}},
        {"src/noext", {"noext"}},
        {"src/sub", {"sub"}},
        {"src/missing", {}},
        {"missing/*.*", {}},
        {"src/sub/deep/*.txt", {"d.txt"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names(shell::findFiles(tree.path(c.pattern))), c.expected)
            << c.pattern.toStdString();
    }

    const std::vector<shell::FoundEntry> entries = shell::findFiles(tree.path("src/s*"));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].isFolder);
    EXPECT_EQ(entries[0].path, tree.path("src/sub"));
    EXPECT_FALSE(shell::findFiles(tree.path("src/a*"))[0].isFolder);
    EXPECT_TRUE(shell::findFiles(QString()).empty());
}

}  // namespace
