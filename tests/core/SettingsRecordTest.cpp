#include <gtest/gtest.h>

#include <vector>

#include "core/AccessADOClass.h"
#include "core/SettingsRecord.h"
#include "core/XXCommonFunctions.h"
#include "platform/jet/Connection.h"
#include "tests/support/TestDatabase.h"

namespace {

// Only the first row of basic_tbl counts, however many follow it, and those after it
// are not read: a later row the start-up would refuse changes nothing.
TEST(SettingsRecordTest, TheSettingsComeFromTheFirstRowOfBasicTbl) {
    const QString refused =
        "INSERT INTO basic_tbl (Trade_figure, Unit_decimal, Sum_decimal, Print_type, "
        "Picture_Flg) VALUES (NULL, 9, 9, 300, NULL)";
    struct Case {
        const char* name;
        std::vector<QString> statements;
        int repeats;  // how often the last statement runs, once for 0 or 1
        int32_t result;
        SettingsRecord::BasicSettings settings;
    };
    const Case cases[] = {
        {"the shipped row", {}, 0, 1, {}},
        {"no row", {"DELETE FROM basic_tbl"}, 0, 0, {}},
        {"a first row out of range", {"UPDATE basic_tbl SET Sum_decimal = 4"}, 0, -503, {}},
        {"one row after the first", {refused}, 0, 1, {}},
        {"thousands of rows after the first",
         {"UPDATE basic_tbl SET Trade_figure = 3, Unit_decimal = 1, Sum_decimal = 2, "
          "Print_type = 1, Picture_Flg = 2",
          refused},
         3000,
         1,
         {3, 1, 2, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDatabase database;
        ASSERT_TRUE(database.isValid()) << database.error().toStdString();
        jet::Connection connection;
        ASSERT_FALSE(
            connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                            ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";"));
        for (const QString& sql : c.statements) {
            const jet::Error error = connection.execute(sql);
            ASSERT_FALSE(error) << sql.toStdString() << ": " << error.description.toStdString();
        }
        ASSERT_FALSE(connection.beginTrans());
        for (int i = 1; i < c.repeats; ++i) {
            ASSERT_FALSE(connection.execute(c.statements.back()));
        }
        ASSERT_FALSE(connection.commitTrans());
        connection.close();
        AccessADOClass access;
        database.configure(access);
        SettingsRecord::BasicSettings settings{9, 9, 9, 9, 9};
        EXPECT_EQ(SettingsRecord::ReadBasic(access, settings), c.result);
        EXPECT_EQ(
            std::vector<int>({settings.tradeFigure, settings.unitDecimal, settings.sumDecimal,
                              settings.printType, settings.pictureFlg}),
            std::vector<int>({c.settings.tradeFigure, c.settings.unitDecimal, c.settings.sumDecimal,
                              c.settings.printType, c.settings.pictureFlg}));
    }
}

}  // namespace
