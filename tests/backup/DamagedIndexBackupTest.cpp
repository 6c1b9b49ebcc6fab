// A backup whose pages are all sound but whose index no longer matches its rows is a
// damaged backup: restored, it would answer reads by class number wrongly.

#include <QDir>

#include "ScreenFixture.h"
#include "core/MainModule.h"
#include "tests/support/CraftedDatabases.h"

namespace {

class DamagedIndexBackupTest : public ScreenFixture {};

TEST_F(DamagedIndexBackupTest, AnIndexThatDoesNotMatchItsRowsIsFound) {
    for (const QString& password : {kPassword, QString()}) {
        SCOPED_TRACE(password.isEmpty() ? "plain" : "keyed");
        MainModule::DBPassword = password;
        QDir().mkpath(path("damaged"));
        const QString made =
            CraftedDatabases::withMismatchedIndex(path("damaged/morvik2.mde"), password);
        ASSERT_TRUE(made.isEmpty()) << made.toStdString();
        EXPECT_EQ(screen->CheckDataFile(path("damaged"), "morvik2.mde"), -1000);
    }
}

}  // namespace
