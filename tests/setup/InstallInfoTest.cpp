#include <QDir>
#include <QFile>

#include "SetupFixture.h"
#include "platform/forms/App.h"
#include "platform/registry/Registry.h"
#include "platform/runtime/Clock.h"
#include "setup/modSetup.h"

namespace {

using InstallInfoTest = SetupFixture;

TEST_F(InstallInfoTest, FiveValuesAreWrittenAndReplacedByTheNextRun) {
    vb::setClock(vb::Date::fromYmdHms(2026, 3, 5, 7, 8, 9));
    ASSERT_TRUE(modSetup::WriteInstallInfo());
    EXPECT_EQ(installValue("InstallFolder"), forms::App::Path());
    EXPECT_EQ(installValue("InstallVersion"), "2.0.4");
    EXPECT_EQ(installValue("InstallDate"), "2026/3/5 7:08:09");
    EXPECT_EQ(installValue("UpdateVersion"), "2.0.4");
    EXPECT_EQ(installValue("UpdateDate"), "2026/3/5 7:08:09");

    vb::setClock(vb::Date::fromYmdHms(2026, 12, 24, 18, 30, 0));
    ASSERT_TRUE(modSetup::WriteInstallInfo());
    EXPECT_EQ(installValue("InstallDate"), "2026/12/24 18:30:00");
    EXPECT_EQ(installValue("UpdateDate"), "2026/12/24 18:30:00");
}

TEST_F(InstallInfoTest, AKeyThatCannotBeWrittenStopsAtTheFirstValue) {
    ASSERT_TRUE(QDir().mkpath(homes.path() + "/config"));
    QFile blocker(homes.path() + "/config/Kelvarn");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(modSetup::WriteInstallInfo());
    EXPECT_EQ(installValue("InstallFolder"), "");
}

}  // namespace
