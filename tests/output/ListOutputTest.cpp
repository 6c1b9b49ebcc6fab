#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "OutputFolders.h"
#include "core/MainModule.h"
#include "output/BusyGuard.h"
#include "output/LayoutBooks.h"
#include "output/ListOutput.h"
#include "platform/excel/PrintDestination.h"
#include "platform/excel/Workbook.h"
#include "platform/forms/Form.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "platform/printer/Printer.h"
#include "platform/runtime/Clock.h"
#include "platform/shell/SpecialFolders.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

using forms::TestHook::MsgBoxShown;

// The class list as its screen hands it over.
ListOutputSettings classList() {
    ListOutputSettings settings = ListOutputSettings::ForTitle("商品分類一覧表");
    settings.layoutBook = LayoutBooks::Bunrui;
    settings.dataStartCell = 4;
    settings.columns = {{32, 0}, {143, 0}};
    settings.headings = {{"商品分類番号", "商　品  分　類　名"}};
    settings.printOutType = 1;
    return settings;
}

vb::VariantArray classRows() {
    vb::VariantArray rows(2, 2);
    rows(0, 0) = "001";
    rows(0, 1) = "文具";
    rows(1, 0) = "002";
    rows(1, 1) = "食品";
    return rows;
}

std::unique_ptr<excel::Workbook> openBook(const QString& path) {
    int32_t error = 0;
    return excel::Workbook::Open(path, error);
}

class ListOutputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        forms::TestHook::enable();
        vb::setClock(vb::Date::fromYmdHms(2005, 3, 5, 14, 30, 0));
        MainModule::LayoutFolder = folders_.layouts();
        MainModule::PrintType = 0;
        printer::setOutputFileName(folders_.path("printed.pdf"));
        excel::setPrintDestination({excel::PrintTo::WorkbookFile, folders_.path("printed.xlsx")});
    }
    void TearDown() override {
        forms::TestHook::disable();
        vb::setClock(std::nullopt);
        MainModule::PrintType = 0;
    }

    static void expectBoxes(const std::vector<MsgBoxShown>& expected) {
        const std::vector<MsgBoxShown>& shown = forms::TestHook::msgBoxes();
        ASSERT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].text, expected[i].text);
            EXPECT_EQ(shown[i].style, expected[i].style);
            EXPECT_EQ(shown[i].title, expected[i].title);
        }
    }

    OutputFolders folders_;
};

TEST_F(ListOutputTest, PrintGoesThroughTheSpreadsheetWhenPrintTypeIsZero) {
    EXPECT_EQ(ListOutput(classList()).Print(classRows()), 0);
    std::unique_ptr<excel::Workbook> printed = openBook(folders_.path("printed.xlsx"));
    ASSERT_NE(printed, nullptr);
    EXPECT_EQ(printed->FirstSheet().Value(4, 1), vb::Variant("001"));
    EXPECT_EQ(printed->FirstSheet().Value(5, 2), vb::Variant("食品"));
    EXPECT_FALSE(QFile::exists(folders_.path("printed.pdf")));
    expectBoxes({{64, "商品分類一覧表", "商品分類一覧表の印刷が完了しました。", 0}});
}

TEST_F(ListOutputTest, PrintGoesToThePrinterOtherwise) {
    MainModule::PrintType = 1;
    EXPECT_EQ(ListOutput(classList()).Print(classRows()), 0);
    const std::vector<PdfPage> pages = readPdf(folders_.path("printed.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].width, 210, 0.5);
    EXPECT_FALSE(pages[0].find("食品").empty());
    EXPECT_FALSE(pages[0].find("商品分類一覧表").empty());
    EXPECT_FALSE(QFile::exists(folders_.path("printed.xlsx")));
    expectBoxes({{64, "商品分類一覧表", "商品分類一覧表の印刷が完了しました。", 0}});
}

TEST_F(ListOutputTest, AFailedPrintShowsTheFailureWithTheScreensTexts) {
    ListOutputSettings settings = classList();
    settings.layoutBook = "missing.xlsx";
    settings.texts.printFailed = "商品一覧の印刷に失敗しました｡";
    EXPECT_EQ(ListOutput(settings).Print(classRows()), -2501);
    expectBoxes({{48, "商品分類一覧表", "商品一覧の印刷に失敗しました｡", 0}});
}

TEST_F(ListOutputTest, SaveProposesTheDatedNameAndSavesThroughTheSpreadsheet) {
    MainModule::PrintType = 1;  // saving always goes through the spreadsheet
    const QString chosen = folders_.saved() + "/分類.xlsx";
    forms::TestHook::queueDialogAnswer(chosen);
    ListOutput(classList()).Save(nullptr, classRows());

    ASSERT_EQ(forms::TestHook::dialogs().size(), 1u);
    const forms::TestHook::DialogShown& dialog = forms::TestHook::dialogs()[0];
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.title, "商品分類一覧表の保存");
    EXPECT_EQ(dialog.fileName, "商品分類一覧表_20050305.xlsx");
    EXPECT_EQ(dialog.initialFolder, shell::specialFolderPath(shell::csidlPersonal));
    EXPECT_TRUE(dialog.filter.contains("Microsoft Excel ブック")) << dialog.filter.toStdString();
    EXPECT_TRUE(dialog.filter.contains("*.xlsx")) << dialog.filter.toStdString();
    std::unique_ptr<excel::Workbook> saved = openBook(chosen);
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->FirstSheet().Value(5, 1), vb::Variant("002"));
    EXPECT_FALSE(QFile::exists(folders_.path("printed.pdf")));
    expectBoxes({{64, "商品分類一覧表", "商品分類一覧表の保存が完了しました。", 0}});
}

TEST_F(ListOutputTest, AnExistingFileIsAskedAboutOnceAndReplaced) {
    const QString chosen = folders_.saved() + "/分類.xlsx";
    QFile old(chosen);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    forms::TestHook::queueDialogAnswer(chosen);
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    ListOutput(classList()).Save(nullptr, classRows());
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].text, "商品分類一覧表の保存が完了しました。");
    EXPECT_EQ(openBook(chosen)->FirstSheet().Value(4, 2), vb::Variant("文具"));
}

TEST_F(ListOutputTest, CancellingTheDialogShowsNothing) {
    forms::TestHook::queueDialogAnswer(QString());
    ListOutput(classList()).Save(nullptr, classRows());
    EXPECT_EQ(forms::TestHook::dialogs().size(), 1u);
    EXPECT_TRUE(forms::TestHook::msgBoxes().empty());
    EXPECT_TRUE(QDir(folders_.saved()).isEmpty());
}

TEST_F(ListOutputTest, AFailedSaveShowsTheFailure) {
    forms::TestHook::queueDialogAnswer(folders_.layouts() + "/bunrui.xlsx");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);  // replace it? yes
    const QByteArray layout = OutputFolders::bytes(folders_.layouts() + "/bunrui.xlsx");
    ListOutput(classList()).Save(nullptr, classRows());
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].text, "商品分類一覧表の保存に失敗しました。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].style, forms::vbExclamation);
    EXPECT_EQ(OutputFolders::bytes(folders_.layouts() + "/bunrui.xlsx"), layout);
}

TEST_F(ListOutputTest, ABusyFormIgnoresTheClick) {
    forms::Form form;
    {
        BusyGuard guard(form);
        EXPECT_FALSE(guard.Busy());
        EXPECT_EQ(form.MousePointer(), forms::vbHourglass);
        BusyGuard second(form);
        EXPECT_TRUE(second.Busy());
    }
    EXPECT_EQ(form.MousePointer(), forms::vbDefault);
}

}  // namespace
