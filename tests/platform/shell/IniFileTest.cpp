#include <gtest/gtest.h>

#include <QStringEncoder>

#include "TempTree.h"
#include "platform/shell/IniFile.h"

namespace {

TEST(IniFileTest, ReadsValuesByTheProfileRules) {
    TempTree tree;
    tree.write("backup.ini",
               "\xEF\xBB\xBF[BackupFile]\r\n"
               "; comment line\r\n"
               "File1 = morvik2.mde\r\n"
               "file2=\"quoted value\"\r\n"
               "File3=\r\n"
               "  File4  =  spaced  \t\r\n"
               "File5='single'\r\n"
               ";File6=commented\r\n"
               "File7=a ; not a comment\r\n"
               "File8=\"\r\n"
               "File1=second\r\n"
               "[ Other ]\n"
               "Key=other\n"
               "[backupfile]\n"
               "File9=in a later section of the same name\n");
    const QString ini = tree.path("backup.ini");
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"BackupFile", "File1", "morvik2.mde"},
        {"BACKUPFILE", "FILE1", "morvik2.mde"},
        {"BackupFile", "File2", "quoted value"},
        {"BackupFile", "File3", ""},
        {"BackupFile", "File4", "spaced"},
        {"BackupFile", "File5", "single"},
        {"BackupFile", "File6", ""},
        {"BackupFile", "File7", "a ; not a comment"},
        {"BackupFile", "File8", "\""},
        {"BackupFile", "File9", ""},
        {"BackupFile", "Key", ""},
        {"other", "key", "other"},
        {"Missing", "File1", ""},
        {"", "File1", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(shell::readIniString(ini, c.section, c.key), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(shell::readIniString(tree.path("none.ini"), "BackupFile", "File1"), "");
    EXPECT_EQ(shell::readIniString(tree.path("none.ini"), "BackupFile", "File1", "dflt"), "dflt");
}

TEST(IniFileTest, CutsToTheBuffer) {
    TempTree tree;
    tree.write("long.ini", "[S]\nK=" + QByteArray(300, 'x') + "\nJ=日本語テキスト\n");
    EXPECT_EQ(shell::readIniString(tree.path("long.ini"), "S", "K"), QString(255, 'x'));
    EXPECT_EQ(shell::readIniString(tree.path("long.ini"), "S", "J", QString(), 4),
              QString::fromUtf8("日本語"));
    EXPECT_EQ(shell::readIniString(tree.path("long.ini"), "S", "J", QString(), 8),
              QString::fromUtf8("日本語テキスト"));
}

TEST(IniFileTest, ReadsShiftJisFiles) {
    TempTree tree;
    QStringEncoder toShiftJis("CP932");
    const QByteArray bytes = toShiftJis(QString::fromUtf8("[設定]\r\nデータ=売上データ①\r\n"));
    ASSERT_FALSE(toShiftJis.hasError());
    tree.write("old.ini", bytes);
    EXPECT_EQ(shell::readIniString(tree.path("old.ini"), QString::fromUtf8("設定"),
                                   QString::fromUtf8("データ")),
              QString::fromUtf8("売上データ①"));
}

}  // namespace
