#include <gtest/gtest.h>

#include "core/AccessADOClass.h"
#include "setup/SetupSettings.h"
#include "tests/support/DatabaseTest.h"
#include "tests/support/TestRows.h"

namespace {

class SetupSettingsTest : public DatabaseTest {
  protected:
    SetupSettings settings() const {
        return SetupSettings(TestDatabase::fileName(), TestDatabase::password(), database.folder());
    }

    // Replaces the rows of a table with the given SQL texts.
    void replaceRows(const QString& table, const QStringList& fields,
                     const vb::VariantArray& rows) {
        AccessADOClass access;
        database.configure(access);
        access.AccessFlag(QStringLiteral("7"));
        for (const QString& field : fields) {
            access.AddField(field);
        }
        access.AddFromVerse(table);
        access.DBInfo(rows);
        ASSERT_GE(access.Execute(), 0) << access.ErrDetail().toStdString();
    }

    void storeSystemType(const QString& id, const QString& basicFlg,
                         const QString& premiereData = QStringLiteral("''")) {
        replaceRows(QStringLiteral("system_type"),
                    {"System_id", "System_type", "premiere_flg", "premiere_data", "Basic_flg"},
                    makeRows({{id, "2", "1", premiereData, basicFlg}}));
    }

    vb::VariantArray storedBasic() const {
        vb::VariantArray rows;
        EXPECT_EQ(settings().ReadBasicTbl(rows), 1);
        return rows;
    }
    vb::VariantArray storedSystemType() const {
        vb::VariantArray rows;
        EXPECT_EQ(settings().ReadSystemType(rows), 1);
        return rows;
    }
};

struct Choice {
    int16_t tradeFigure;
    int16_t decimals;
    int16_t printType;
    int16_t pictureFlg;
    bool ranking;
    bool lowStock;
    const char* systemId;
};

class SystemIdTest : public SetupSettingsTest, public ::testing::WithParamInterface<Choice> {};

TEST_P(SystemIdTest, ChoicesAreComposedAndWrittenToBothTables) {
    const Choice choice = GetParam();
    SetupSettings setup = settings();
    ASSERT_EQ(setup.LoadCurrentSettings(), 1);
    setup.SetSetting(SetupSettings::TradeFigure, choice.tradeFigure);
    setup.SetSetting(SetupSettings::UnitDecimal, choice.decimals);
    setup.SetSetting(SetupSettings::SumDecimal, choice.decimals);
    setup.SetSetting(SetupSettings::PrintType, choice.printType);
    setup.SetSetting(SetupSettings::PictureFlg, choice.pictureFlg);
    setup.SetSupportLetter(SetupSettings::SupportLetterOf(choice.ranking, choice.lowStock));
    setup.ComposeSystemId();
    EXPECT_EQ(setup.SystemIdText(), QString::fromLatin1(choice.systemId));

    ASSERT_GE(setup.SaveSettings(), 0);
    EXPECT_EQ(database.count("basic_tbl"), 1);
    EXPECT_EQ(database.count("system_type"), 1);
    const vb::VariantArray basic = storedBasic();
    EXPECT_EQ(basic(0, SetupSettings::TradeFigure).toLong(), choice.tradeFigure);
    EXPECT_EQ(basic(0, SetupSettings::UnitDecimal).toLong(), choice.decimals);
    EXPECT_EQ(basic(0, SetupSettings::SumDecimal).toLong(), choice.decimals);
    EXPECT_EQ(basic(0, SetupSettings::PrintType).toLong(), choice.printType);
    EXPECT_EQ(basic(0, SetupSettings::PictureFlg).toLong(), choice.pictureFlg);
    const vb::VariantArray system = storedSystemType();
    EXPECT_EQ(system(0, SetupSettings::SystemId).toString(), QString::fromLatin1(choice.systemId));
    EXPECT_EQ(system(0, SetupSettings::BasicFlg).toLong(), 1);
}

INSTANTIATE_TEST_SUITE_P(Choices, SystemIdTest,
                         ::testing::Values(Choice{9, 3, 1, 1, true, true, "CVA093301"},
                                           Choice{0, 0, 0, 0, false, false, "NEO000001"},
                                           Choice{4, 0, 1, 0, true, false, "NVR040001"},
                                           Choice{1, 3, 0, 1, false, true, "CEL013301"}));

TEST_F(SetupSettingsTest, ColumnsTheWizardDoesNotEditAreKept) {
    replaceRows(QStringLiteral("basic_tbl"),
                {"Trade_figure", "Unit_decimal", "Sum_decimal", "Class_flg", "SeleUnit_flg",
                 "Print_type", "tax", "Basic_Qu_fig", "Basic_Quantity", "Picture_Flg"},
                makeRows({{"2", "3", "3", "1", "1", "1", "8.5", "2", "12.25", "0"}}));
    storeSystemType("'CVL023301'", "0", "'O''Neil''s shop'");
    SetupSettings setup = settings();
    ASSERT_EQ(setup.LoadCurrentSettings(), 1);
    EXPECT_EQ(setup.SupportLetter(), "L");
    EXPECT_EQ(setup.Setting(SetupSettings::TradeFigure), 2);
    setup.SetSetting(SetupSettings::TradeFigure, 5);
    setup.ComposeSystemId();
    ASSERT_GE(setup.SaveSettings(), 0);

    const vb::VariantArray basic = storedBasic();
    EXPECT_EQ(basic(0, SetupSettings::TradeFigure).toLong(), 5);
    EXPECT_EQ(basic(0, SetupSettings::ClassFlg).toLong(), 1);
    EXPECT_EQ(basic(0, SetupSettings::SeleUnitFlg).toLong(), 1);
    EXPECT_EQ(basic(0, SetupSettings::Tax).toCurrency(), vb::Currency::fromDouble(8.5));
    EXPECT_EQ(basic(0, SetupSettings::BasicQuFig).toLong(), 2);
    EXPECT_EQ(basic(0, SetupSettings::BasicQuantity).toCurrency(), vb::Currency::fromDouble(12.25));
    const vb::VariantArray system = storedSystemType();
    EXPECT_EQ(system(0, SetupSettings::SystemId).toString(), "NVL053301");
    EXPECT_EQ(system(0, SetupSettings::SystemType).toLong(), 2);
    EXPECT_EQ(system(0, SetupSettings::PremiereFlg).toLong(), 1);
    EXPECT_EQ(system(0, SetupSettings::PremiereData).toString(), "O'Neil's shop");
}

TEST_F(SetupSettingsTest, StoredBasicFlagTellsWhetherTheSettingsWereMade) {
    SetupSettings fresh = settings();
    ASSERT_EQ(fresh.LoadCurrentSettings(), 1);
    EXPECT_FALSE(fresh.MadeBefore());
    EXPECT_EQ(fresh.SupportLetter(), "O");
    EXPECT_EQ(fresh.SystemTypeRow()(0, SetupSettings::BasicFlg).toLong(), 1);

    storeSystemType("'NEA000001'", "1");
    SetupSettings made = settings();
    ASSERT_EQ(made.LoadCurrentSettings(), 1);
    EXPECT_TRUE(made.MadeBefore());
    EXPECT_EQ(made.SystemTypeRow()(0, SetupSettings::BasicFlg).toLong(), 1);
}

TEST_F(SetupSettingsTest, FailedReadsGiveTheirCodes) {
    SetupSettings missing(TestDatabase::fileName(), TestDatabase::password(),
                          database.folder() + "/none");
    EXPECT_EQ(missing.LoadCurrentSettings(), AccessADOClass::FileNotFound);

    SetupSettings wrongKey(TestDatabase::fileName(), QStringLiteral("WRONG"), database.folder());
    EXPECT_EQ(wrongKey.LoadCurrentSettings(), AccessADOClass::CannotOpen);
    EXPECT_EQ(wrongKey.SaveSettings(), AccessADOClass::CannotOpen);

    AccessADOClass access;
    database.configure(access);
    access.AccessFlag(QStringLiteral("5"));
    access.AddFromVerse(QStringLiteral("system_type"));
    ASSERT_EQ(access.Execute(), 0);
    SetupSettings emptyTable = settings();
    EXPECT_EQ(emptyTable.LoadCurrentSettings(), -503);
}

}  // namespace
