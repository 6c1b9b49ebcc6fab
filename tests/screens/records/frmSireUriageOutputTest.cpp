#include <memory>

#include "DayFixture.h"
#include "controls/CalendarForm.h"
#include "core/MainModule.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/MsgBox.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

using vb::Date;

const QString LeaveQuestion =
    "入力情報が登録されていません。メニュー画面に戻ってもよろしいですか？\r\n"
    "(注)メニュー画面に戻った場合、入力されたデータは登録されません。";
const QString SelectQuestion =
    "入力情報が登録されていません。このまま日付選択処理を行ってもよろしいですか？\r\n"
    "(注)日付選択処理を行った場合、入力されたデータは登録されません。";

class frmSireUriageOutputTest : public DayFixture {
  protected:
    void storeDay() const {
        dayRow(Today(), "001", "0002", {"4", "30", "120", "3", "101"});
        dayRow(Today(), "001", "0009", {"7", "10", "70", "2", "40"});
        dayRow(Today(), "002", "0001", {"2", "100", "200", "5", "750"});
    }
};

TEST_F(frmSireUriageOutputTest, PrintsTheStoredDayNotTheEdits) {
    storeDay();
    MainModule::PrintType = 1;
    frmSireUriage& screen = open();
    screen.EGrid.Value(1, 6, "98765");
    screen.btnPrint_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"仕入/売上管理表の印刷が完了しました。"});
    const std::vector<PdfPage> pages = readPdf(path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    const QString text = pages[0].text();
    for (const char* shown :
         {"仕入/売上管理表", "2024年", "0010002", "消しゴム", "0020001", "パン", "120", "750"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown;
    }
    EXPECT_FALSE(text.contains("98765"));
    EXPECT_FALSE(text.contains("0010009"));  // its product is not in the masters
    EXPECT_FALSE(text.contains("鉛筆"));     // no row stored for it
}

TEST_F(frmSireUriageOutputTest, SavesTheStoredDayIntoTheDailyWorkbook) {
    storeDay();
    MainModule::SumDecimal = 3;
    frmSireUriage& screen = open();
    const QString saved = path("day.xlsx");
    forms::TestHook::queueDialogAnswer(saved);
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{"仕入/売上管理表の保存が完了しました。"});
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].title, "仕入/売上管理表の保存");
    EXPECT_EQ(forms::TestHook::dialogs()[0].fileName, "仕入売上管理表_20240515.xlsx");

    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(saved, error);
    ASSERT_NE(book, nullptr) << error;
    const excel::Worksheet& sheet = book->FirstSheet();
    EXPECT_EQ(sheet.Value(2, 1), vb::Variant("2024年 5月 15日"));
    // Codes and names stay texts, figures are number cells.
    const std::vector<std::vector<vb::Variant>> expected = {
        {"0010002", "消しゴム", 4.0, 120.0, 3.0, 101.0},
        {"0020001", "パン", 2.0, 200.0, 5.0, 750.0}};
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 6; ++col) {
            EXPECT_EQ(sheet.Value(5 + row, 1 + col), expected[row][col]) << row << "," << col;
        }
    }
    EXPECT_TRUE(sheet.Value(7, 1).isEmpty() || sheet.Value(7, 1) == vb::Variant(""));
}

TEST_F(frmSireUriageOutputTest, AnEmptyDayIsNeitherPrintedNorSaved) {
    frmSireUriage& screen = open();
    screen.btnPrint_Click();
    screen.btnSave_Click();
    EXPECT_EQ(boxTexts(),
              (std::vector<QString>{"印刷するDataがありません。", "保存するDataがありません。"}));
    EXPECT_TRUE(forms::TestHook::dialogs().empty());
}

TEST_F(frmSireUriageOutputTest, LeavingAsksOnlyAboutRealChangesAndTheFrameTakesTheSamePath) {
    storeDay();
    int returned = 0;
    frmSireUriage& screen = open();
    screen.ReturnToMenu = [&returned] { ++returned; };
    screen.EGrid.Value(1, 3, "4.00");
    screen.EGrid.Value(0, 4, "");
    screen.EGrid.Value(2, 6, "9");
    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    screen.close();
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, LeaveQuestion);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 49);
    EXPECT_TRUE(screen.Loaded());
    EXPECT_EQ(returned, 0);

    screen.EGrid.Value(2, 6, "750");  // back to the stored value
    screen.btnEND_Click();
    EXPECT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(returned, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmSireUriageOutputTest, AnotherDayIsChosenInTheDatePickerAfterTheQuestion) {
    frozenProduct(Date::fromYmd(2023, 5, 1), "001", "0001", "旧鉛筆", "45", "70");
    dayRow(Date::fromYmd(2023, 5, 15), "001", "0001", {"3", "45", "135", "1", "70"});
    frmSireUriage& screen = open();
    screen.EGrid.Value(0, 3, "5");

    forms::TestHook::queueMsgBoxAnswer(forms::vbCancel);
    screen.btnSelect_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{SelectQuestion});

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    whenCalendarShown([](CalendarForm& calendar) {
        calendar.PrevButton_Click();
        calendar.CancelButton_Click();
    });
    screen.btnSelect_Click();
    EXPECT_EQ(screen.ShownDay(), Today());
    EXPECT_EQ(screen.EGrid.Value(0, 3), "5");

    forms::TestHook::queueMsgBoxAnswer(forms::vbOK);
    whenCalendarShown([](CalendarForm& calendar) {
        EXPECT_EQ(calendar.CurrentDate(), Today());
        calendar.PrevButton_Click();
        calendar.OKButton_Click();
    });
    screen.btnSelect_Click();
    EXPECT_EQ(screen.ShownDay(), Date::fromYmd(2023, 5, 15));
    EXPECT_EQ(screen.lblYear->text(), "2023");
    EXPECT_TRUE(screen.DayClosed());
    ASSERT_EQ(screen.EGrid.Rows(), 1);
    EXPECT_EQ(gridRow(0), "001|0001|旧鉛筆|3|1|70|70");
    EXPECT_FALSE(screen.btnInsert->isVisible());
    EXPECT_EQ(screen.MousePointer(), forms::vbDefault);

    forms::TestHook::queueDialogAnswer(QString());
    screen.btnSave_Click();  // today's date names the file, not the day shown
    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_EQ(forms::TestHook::dialogs()[0].fileName, "仕入売上管理表_20240515.xlsx");
    EXPECT_EQ(boxTexts().size(), 3u);
}

}  // namespace
