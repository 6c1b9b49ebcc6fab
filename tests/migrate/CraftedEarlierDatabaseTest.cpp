// An earlier installation or a new database that is damaged or foreign: the check of the
// earlier data reports it (-1000 for a damaged file) before anything is moved, never
// crashes, and both databases stay as they were.

#include <QFile>

#include "MigrationFixture.h"
#include "migrate/DetaCheckSet.h"
#include "tests/support/CraftedDatabases.h"

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CraftedEarlierDatabaseTest : public MigrationFixture {};

TEST_F(CraftedEarlierDatabaseTest, TheCheckOfTheEarlierDataReportsADamagedDatabase) {
    const QByteArray target = bytesOf(database.filePath());
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        // The migration reads nothing of basic_tbl in the earlier database.
        if (c.table != nullptr && QString::fromLatin1(c.table) == "basic_tbl") {
            continue;
        }
        SCOPED_TRACE(c.name);
        const QString made = c.make(sourcePath(), DetaCheck_Set::SourcePassword);
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const QByteArray source = bytesOf(sourcePath());

        EXPECT_EQ(DetaCheck_Set::CheckSourceData(sourceName(), sourceFolder(),
                                                 TestDatabase::fileName(), database.folder()),
                  -1000);
        EXPECT_EQ(bytesOf(sourcePath()), source);
        EXPECT_EQ(bytesOf(database.filePath()), target);
    }
}

TEST_F(CraftedEarlierDatabaseTest, ACraftedNewDatabaseStopsTheCheckAsWell) {
    const QByteArray source = bytesOf(sourcePath());
    for (const CraftedDatabases::Case& c : CraftedDatabases::all()) {
        SCOPED_TRACE(c.name);
        const QString made = c.make(database.filePath(), DetaCheck_Set::DBPassword);
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        const QByteArray target = bytesOf(database.filePath());

        const int32_t result = DetaCheck_Set::CheckSourceData(
            sourceName(), sourceFolder(), TestDatabase::fileName(), database.folder());
        if (c.kind == CraftedDatabases::Kind::Damaged) {
            EXPECT_EQ(result, -1000);
        } else {
            EXPECT_LT(result, 0);
        }
        EXPECT_EQ(bytesOf(sourcePath()), source);
        EXPECT_EQ(bytesOf(database.filePath()), target);
    }
}

}  // namespace
