#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "OutputFolders.h"
#include "output/ExcelListPrintClass.h"
#include "platform/excel/OfficeProgram.h"
#include "platform/excel/PrintDestination.h"
#include "platform/excel/Workbook.h"
#include "platform/runtime/Clock.h"
#include "tests/platform/printer/PdfReader.h"

namespace {

using excel::SideBottom, excel::SideLeft, excel::SideRight, excel::SideTop;
constexpr int allSides = SideLeft | SideTop | SideBottom | SideRight;

vb::VariantArray inventoryRows() {
    vb::VariantArray rows(3, 8);
    const QStringList first{"001000012", "ボールペン（黒）", "10", "5", "3", "12", "150", "1,800"};
    const QStringList second{"002000007", "ノート　Ａ４", "0", "20", "8", "12", "99", "1,188"};
    for (int c = 0; c < 8; ++c) {
        rows(0, c) = first[c];
        rows(1, c) = second[c];
        rows(2, c) = QString();
    }
    rows(2, 1) = "　合　計　";
    rows(2, 7) = 2988.0;
    return rows;
}

std::unique_ptr<excel::Workbook> openBook(const QString& path) {
    int32_t error = 0;
    std::unique_ptr<excel::Workbook> book = excel::Workbook::Open(path, error);
    EXPECT_EQ(error, 0) << path.toStdString();
    return book;
}

class ExcelListPrintClassTest : public ::testing::Test {
  protected:
    void SetUp() override { vb::setClock(vb::Date::fromYmdHms(2005, 3, 5, 10, 0, 0)); }
    void TearDown() override {
        vb::setClock(std::nullopt);
        excel::office::setProgram("soffice");
    }

    // A save of the inventory table with the given name rule.
    void prepareSave(ExcelListPrintClass& book, const QString& name, uint8_t rule = 0) {
        book.OutputType(1);
        book.SeveFileType(rule);
        book.AppointFileName("zaiko.xlsx");
        book.FilePath(folders_.layouts());
        book.DataStartCell(5);
        book.Info(inventoryRows());
        book.SaveFileName(name);
        book.SaveFilePath(folders_.saved());
    }

    QStringList savedFiles() const {
        return QDir(folders_.saved()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    OutputFolders folders_;
};

TEST_F(ExcelListPrintClassTest, SaveNamesFollowTheRuleOfSeveFileType) {
    struct Case {
        uint8_t rule;
        QString name;
        QString saved;
    };
    const std::vector<Case> cases{
        {0, "在庫管理表.XLSX", "在庫管理表.XLSX"},
        {0, "list", "list.xlsx"},
        {0, ".xlsx", ".xlsx.xlsx"},
        {0, "a.xlsx", "a.xlsx"},
        {0, "report.xls", "report.xls.xlsx"},
        {1, "在庫管理表", "在庫管理表_20050305.xlsx"},
        {2, "x.xlsx", "x.xlsx.xlsx"},
    };
    for (const Case& c : cases) {
        QDir(folders_.saved()).removeRecursively();
        QDir().mkpath(folders_.saved());
        ExcelListPrintClass book;
        prepareSave(book, c.name, c.rule);
        EXPECT_EQ(book.OutputBook(), 0) << c.name.toStdString();
        EXPECT_EQ(savedFiles(), QStringList{c.saved}) << c.name.toStdString();
    }
}

TEST_F(ExcelListPrintClassTest, TheSavedWorkbookHoldsTheListAsWritten) {
    const QByteArray layout = OutputFolders::bytes(folders_.layouts() + "/zaiko.xlsx");
    ExcelListPrintClass book;
    prepareSave(book, "在庫管理表_20050305.xlsx");
    book.OutputTitle("  在　庫　管　理　表（2005年3月度）  ");
    book.DataDay(" 2005年 3月 5日 ");
    ASSERT_EQ(book.OutputBook(), 0);

    std::unique_ptr<excel::Workbook> saved =
        openBook(folders_.saved() + "/在庫管理表_20050305.xlsx");
    const excel::Worksheet& sheet = saved->FirstSheet();
    EXPECT_EQ(sheet.Value(1, 1), vb::Variant("在　庫　管　理　表（2005年3月度）"));
    EXPECT_EQ(sheet.Value(2, 1), vb::Variant("2005年 3月 5日"));
    EXPECT_EQ(sheet.Value(3, 1), vb::Variant("番 号"));  // the layout's headings stay
    EXPECT_EQ(sheet.Value(5, 1), vb::Variant("001000012"));
    EXPECT_EQ(sheet.Value(6, 2), vb::Variant("ノート　Ａ４"));
    EXPECT_EQ(sheet.Value(7, 8), vb::Variant(2988.0));
    EXPECT_TRUE(sheet.Value(8, 1).isEmpty());
    EXPECT_EQ(sheet.FontName(5, 3), "ＭＳ ゴシック");
    EXPECT_EQ(sheet.FontName(1, 1), "ＭＳ ゴシック");
    EXPECT_FALSE(sheet.FontBold(1, 1));
    for (int row = 5; row <= 7; ++row) {
        for (int col = 1; col <= 8; ++col) {
            EXPECT_EQ(sheet.BorderSides(row, col), allSides) << row << "," << col;
        }
    }
    EXPECT_EQ(sheet.BorderSides(8, 1), 0);
    EXPECT_EQ(sheet.BorderSides(5, 9), 0);
    EXPECT_EQ(OutputFolders::bytes(folders_.layouts() + "/zaiko.xlsx"), layout);
}

TEST_F(ExcelListPrintClassTest, OneRowGetsItsEdgesAndInsideVerticalLines) {
    ExcelListPrintClass book;
    prepareSave(book, "一行");
    vb::VariantArray row(1, 3);
    row(0, 0) = "001";
    row(0, 1) = "名前";
    row(0, 2) = 5.0;
    book.Info(row);
    ASSERT_EQ(book.OutputBook(), 0);
    std::unique_ptr<excel::Workbook> saved = openBook(folders_.saved() + "/一行.xlsx");
    for (int col = 1; col <= 3; ++col) {
        EXPECT_EQ(saved->FirstSheet().BorderSides(5, col), allSides);
    }
    EXPECT_EQ(saved->FirstSheet().Value(5, 1), vb::Variant("001"));
    EXPECT_EQ(saved->FirstSheet().Value(5, 3), vb::Variant(5.0));
}

TEST_F(ExcelListPrintClassTest, OpeningFailuresStopEverything) {
    ExcelListPrintClass missing;
    prepareSave(missing, "list");
    missing.AppointFileName("none.xlsx");
    EXPECT_EQ(missing.OutputBook(), ExcelListPrintClass::BookNotFound);
    EXPECT_EQ(missing.ExcelOpenIndication(folders_.layouts(), "none.xlsx"),
              ExcelListPrintClass::BookNotFound);

    ExcelListPrintClass cleared;
    prepareSave(cleared, "list");
    cleared.CreateClear();
    EXPECT_EQ(cleared.OutputBook(), ExcelListPrintClass::BookNotFound);

    excel::office::setProgram("no-such-office-program");
    ExcelListPrintClass noProgram;
    prepareSave(noProgram, "list");
    noProgram.OutputType(0);
    EXPECT_EQ(noProgram.OutputBook(), ExcelListPrintClass::CannotStart);
    EXPECT_EQ(noProgram.ExcelOpenIndication(folders_.layouts(), "zaiko.xlsx"),
              ExcelListPrintClass::CannotStart);

    QFile broken(folders_.layouts() + "/broken.xlsx");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no zip");
    broken.close();
    excel::office::setProgram("soffice");
    ExcelListPrintClass damaged;
    prepareSave(damaged, "list");
    damaged.AppointFileName("broken.xlsx");
    EXPECT_EQ(damaged.OutputBook(), ExcelListPrintClass::CannotStart);
    EXPECT_TRUE(savedFiles().isEmpty());
}

// Saving writes the workbook itself: it needs no spreadsheet program on the path.
TEST_F(ExcelListPrintClassTest, SavingNeedsNoSpreadsheetProgram) {
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folders_.saved().toUtf8());
    const bool found = !excel::office::programPath().isEmpty();
    ExcelListPrintClass book;
    prepareSave(book, "list");
    const int32_t saved = book.OutputBook();
    qputenv("PATH", path);
    ASSERT_FALSE(found);
    EXPECT_EQ(saved, 0);
    EXPECT_EQ(openBook(folders_.saved() + "/list.xlsx")->FirstSheet().Value(5, 1),
              vb::Variant("001000012"));
}

TEST_F(ExcelListPrintClassTest, AMissingSaveFolderIsMadeOnlyWhenAskedFor) {
    const QString folder = folders_.saved() + "/new";
    ExcelListPrintClass refused;
    prepareSave(refused, "list");
    refused.SaveFilePath(folder);
    refused.MakeDirectory(0);
    EXPECT_EQ(refused.OutputBook(), ExcelListPrintClass::SaveFailed);
    EXPECT_FALSE(QFileInfo::exists(folder));

    ExcelListPrintClass made;
    prepareSave(made, "list");
    made.SaveFilePath(folder);
    made.MakeDirectory(1);
    EXPECT_EQ(made.OutputBook(), 0);
    EXPECT_TRUE(QFileInfo::exists(folder + "/list.xlsx"));
}

TEST_F(ExcelListPrintClassTest, SavingReplacesAFileButNeverLosesOneOrALayout) {
    const QString existing = folders_.saved() + "/list.xlsx";
    QFile old(existing);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    ExcelListPrintClass book;
    prepareSave(book, "list.xlsx");
    ASSERT_EQ(book.OutputBook(), 0);
    EXPECT_EQ(openBook(existing)->FirstSheet().Value(5, 1), vb::Variant("001000012"));

    // No file can be written beside this name: the save fails, the old file stays.
    const QString longName = QString(250, 'a') + ".xlsx";
    QFile kept(folders_.saved() + "/" + longName);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("earlier");
    kept.close();
    ExcelListPrintClass failing;
    prepareSave(failing, longName);
    EXPECT_EQ(failing.OutputBook(), ExcelListPrintClass::SaveFailed);
    EXPECT_EQ(OutputFolders::bytes(kept.fileName()), "earlier");

    const QByteArray zaiko = OutputFolders::bytes(folders_.layouts() + "/zaiko.xlsx");
    const QByteArray bunrui = OutputFolders::bytes(folders_.layouts() + "/bunrui.xlsx");
    for (const QString name : {"zaiko.xlsx", "bunrui"}) {
        ExcelListPrintClass overLayout;
        prepareSave(overLayout, name);
        overLayout.SaveFilePath(folders_.layouts() + "/");
        EXPECT_EQ(overLayout.OutputBook(), ExcelListPrintClass::SaveFailed) << name.toStdString();
    }
    EXPECT_EQ(OutputFolders::bytes(folders_.layouts() + "/zaiko.xlsx"), zaiko);
    EXPECT_EQ(OutputFolders::bytes(folders_.layouts() + "/bunrui.xlsx"), bunrui);
}

TEST_F(ExcelListPrintClassTest, AFailedWriteIsNeitherSavedNorPrinted) {
    ExcelListPrintClass save;
    prepareSave(save, "list");
    save.DataStartCell(0);
    EXPECT_EQ(save.OutputBook(), ExcelListPrintClass::WriteFailed);
    EXPECT_TRUE(savedFiles().isEmpty());

    const QString printed = folders_.path("printed.xlsx");
    excel::setPrintDestination({excel::PrintTo::WorkbookFile, printed});
    ExcelListPrintClass print;
    prepareSave(print, "list");
    print.OutputType(0);
    print.Info(vb::VariantArray());
    EXPECT_EQ(print.OutputBook(), ExcelListPrintClass::WriteFailed);
    EXPECT_FALSE(QFileInfo::exists(printed));
}

TEST_F(ExcelListPrintClassTest, PrintingSendsTheFilledSheet) {
    const QString printed = folders_.path("printed.xlsx");
    excel::setPrintDestination({excel::PrintTo::WorkbookFile, printed});
    ExcelListPrintClass book;
    prepareSave(book, "unused");
    book.OutputType(7);  // anything but 1 prints
    ASSERT_EQ(book.OutputBook(), 0);
    EXPECT_EQ(openBook(printed)->FirstSheet().Value(6, 1), vb::Variant("002000007"));
    EXPECT_TRUE(savedFiles().isEmpty());

    excel::setPrintDestination({excel::PrintTo::WorkbookFile, folders_.path("none/printed.xlsx")});
    ExcelListPrintClass failing;
    prepareSave(failing, "unused");
    failing.OutputType(0);
    EXPECT_EQ(failing.OutputBook(), ExcelListPrintClass::PrintFailed);
}

// The one run of the spreadsheet program in these tests: the filled workbook opens and
// prints as a PDF with its texts in place.
TEST_F(ExcelListPrintClassTest, TheSpreadsheetProgramPrintsTheFilledSheet) {
    const QString pdf = folders_.path("printed.pdf");
    excel::setPrintDestination({excel::PrintTo::PdfFile, pdf});
    ExcelListPrintClass book;
    prepareSave(book, "unused");
    book.OutputType(0);
    book.OutputTitle("在　庫　管　理　表（2005年3月度）");
    ASSERT_EQ(book.OutputBook(), 0);
    const std::vector<PdfPage> pages = readPdf(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const QString text = pages[0].text();
    EXPECT_GT(pages[0].width, pages[0].height);  // the layout's landscape page
    for (const QString expected : {"001000012", "002000007", "ボールペン（黒）", "1,800", "2988",
                                   "前月末残", "2005年3月度）"}) {
        EXPECT_TRUE(text.contains(expected))
            << expected.toStdString() << " in " << text.toStdString();
    }
    // The cells' "ＭＳ ゴシック" prints in the installed Japanese Gothic, digits too.
    EXPECT_TRUE(isInOneJapaneseGothic(pdf)) << pdfFontNames(pdf).join(", ").toStdString();
}

}  // namespace
