#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "BackupFixture.h"
#include "backup/DataFileList.h"

namespace {

QByteArray keys(int from, int to) {
    QByteArray text;
    for (int n = from; n <= to; ++n) {
        text += "File" + QByteArray::number(n) + "=f" + QByteArray::number(n) + ".dat\n";
    }
    return text;
}

TEST(DataFileListTest, ReadsTheListUpToTheFirstEmptyKey) {
    const QStringList hundred = [] {
        QStringList names;
        for (int n = 1; n <= 100; ++n) {
            names << QString("/data/f%1.dat").arg(n);
        }
        return names;
    }();
    const struct {
        const char* name;
        QByteArray ini;  // empty: no file
        bool listed;
        QStringList files;
    } cases[] = {
        {"two, then a gap",
         "[BackupFile]\nFile1=morvik2.mde\nFile2=syouhin.xlsx\nFile3=\nFile4=zaiko.xlsx\n",
         true,
         {"/data/morvik2.mde", "/data/syouhin.xlsx"}},
        {"File101 is never read", "[BackupFile]\n" + keys(1, 101), true, hundred},
        {"no File1", "[BackupFile]\nFile2=syouhin.xlsx\n", false, {}},
        {"other section", "[Other]\nFile1=morvik2.mde\n", false, {}},
        {"no backup.ini", {}, false, {}},
        {"parent folder", "[BackupFile]\nFile1=morvik2.mde\nFile2=../secret.txt\n", false, {}},
        {"absolute path", "[BackupFile]\nFile1=/etc/passwd\n", false, {}},
        {"sub-folder", "[BackupFile]\nFile1=morvik2.mde\nFile2=backup/x\n", false, {}},
        {"backslash", "[BackupFile]\nFile1=..\\morvik2.mde\n", false, {}},
        {"dot dot", "[BackupFile]\nFile1=..\n", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString ini = dir.path() + "/backup.ini";
        if (!c.ini.isEmpty()) {
            QFile file(ini);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.ini);
        }
        QStringList files{"left over"};
        EXPECT_EQ(DataFileList::read(ini, "/data", files), c.listed);
        EXPECT_EQ(files, c.files);
    }
}

}  // namespace
