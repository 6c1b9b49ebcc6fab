#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/registry/Registry.h"

namespace {

const QString kKey = QStringLiteral("Software\\Kelvarn\\Sales\\Ver2");

// Points the XDG config home at a fresh folder for the test.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", saved); }

    QTemporaryDir home;
    QByteArray saved;
};

TEST_F(RegistryTest, ValuesAreWrittenUnderTheKeyAndReplaced) {
    EXPECT_EQ(registry::FilePath(registry::HKEY_CURRENT_USER),
              home.path() + "/Kelvarn/registry.ini");
    EXPECT_EQ(registry::ReadString(registry::HKEY_CURRENT_USER, kKey, "InstallVersion"), "");
    ASSERT_TRUE(registry::WriteString(registry::HKEY_CURRENT_USER, kKey, "InstallVersion", "1.0"));
    ASSERT_TRUE(
        registry::WriteString(registry::HKEY_CURRENT_USER, kKey, "InstallFolder", "/opt/ｍ 店"));
    ASSERT_TRUE(
        registry::WriteString(registry::HKEY_CURRENT_USER, kKey, "InstallVersion", "2.0.4"));
    EXPECT_EQ(registry::ReadString(registry::HKEY_CURRENT_USER, kKey, "InstallVersion"), "2.0.4");
    EXPECT_EQ(registry::ReadString(registry::HKEY_CURRENT_USER, "Software/Kelvarn/Sales/Ver2/",
                                   "InstallFolder"),
              "/opt/ｍ 店");
    EXPECT_EQ(registry::ReadString(registry::HKEY_CURRENT_USER, "Software\\Other", "InstallFolder"),
              "");
}

TEST_F(RegistryTest, WritesThatCannotBeMadeFail) {
    EXPECT_FALSE(registry::WriteString(0x80000002, kKey, "InstallFolder", "x"));
    EXPECT_FALSE(registry::WriteString(registry::HKEY_CURRENT_USER, "", "InstallFolder", "x"));
    EXPECT_FALSE(registry::WriteString(registry::HKEY_CURRENT_USER, kKey, "", "x"));

    // The folder of the file is taken by a plain file.
    QFile blocker(home.path() + "/Kelvarn");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(registry::WriteString(registry::HKEY_CURRENT_USER, kKey, "InstallFolder", "x"));
}

}  // namespace
