#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/AccessADOClass.h"

namespace {

// The wrapper's text-file connection: DBPath names the folder, the file is the table.
TEST(TextProvider, SelectsAndCountsRowsOfACsvFile) {
    QTemporaryDir dir;
    QFile file(dir.filePath("Item_tbl.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Code,Name\r\n'001','pen'\r\n'002','ink'\r\n");
    file.close();

    AccessADOClass access;
    access.Provider(2);
    access.DBPath(dir.path());
    access.AddField("Code");
    access.AddField("Name");
    access.AddFromVerse("Item_tbl.csv");
    access.AddWhereVerse("Code = '''002'''");
    ASSERT_EQ(access.Execute(), 1);
    EXPECT_EQ(access.InfoValue(0, 1).toString(), "'ink'");

    access.ExecuteClear();
    access.AccessFlag("2");
    access.AddFromVerse("Item_tbl.csv");
    EXPECT_EQ(access.Execute(), 2);

    AccessADOClass missing;
    missing.Provider(2);
    missing.DBPath(dir.path() + "/none");
    missing.AccessFlag("2");
    missing.AddFromVerse("Item_tbl.csv");
    EXPECT_EQ(missing.Execute(), AccessADOClass::FileNotFound);
}

}  // namespace
