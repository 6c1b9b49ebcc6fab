#include "SetupFixture.h"

#include "core/AccessADOClass.h"
#include "platform/forms/TestHook.h"
#include "platform/registry/Registry.h"
#include "platform/runtime/Clock.h"
#include "setup/modSetup.h"
#include "tests/support/TestRows.h"

void SetupFixture::SetUp() {
    DatabaseTest::SetUp();
    ASSERT_TRUE(homes.isValid());
    savedConfig_ = qgetenv("XDG_CONFIG_HOME");
    savedData_ = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", (homes.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (homes.path() + "/data").toLocal8Bit());
    forms::TestHook::enable();
    modSetup::DBFileName = TestDatabase::fileName();
    modSetup::DBPassword = TestDatabase::password();
    modSetup::DBFolder = database.folder();
    modSetup::ResetMode = false;
}

void SetupFixture::TearDown() {
    forms::TestHook::disable();
    vb::setClock(std::nullopt);
    qputenv("XDG_CONFIG_HOME", savedConfig_);
    qputenv("XDG_DATA_HOME", savedData_);
}

void SetupFixture::storeSystemType(const QString& id, const QString& basicFlg) {
    AccessADOClass access;
    database.configure(access);
    access.AccessFlag(QStringLiteral("7"));
    for (const char* field :
         {"System_id", "System_type", "premiere_flg", "premiere_data", "Basic_flg"}) {
        access.AddField(QString::fromLatin1(field));
    }
    access.AddFromVerse(QStringLiteral("system_type"));
    access.DBInfo(makeRows({{id, "0", "0", "''", basicFlg}}));
    ASSERT_GE(access.Execute(), 0) << access.ErrDetail().toStdString();
}

QString SetupFixture::installValue(const QString& name) const {
    return registry::ReadString(registry::HKEY_CURRENT_USER, modSetup::InstallKey(), name);
}
