#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <QFileInfo>
#include <QTemporaryDir>

#include "TestBook.h"
#include "platform/excel/Application.h"
#include "platform/excel/OfficeProgram.h"
#include "platform/excel/PrintDestination.h"
#include "platform/excel/ZipPackage.h"

namespace {

class ApplicationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        book_ = folder_.filePath("list.xlsx");
        writeTestBook(book_);
    }
    void TearDown() override {
        excel::office::setProgram("soffice");
        excel::setPrintDestination({});
    }

    QTemporaryDir folder_;
    QString book_;
};

// Workbooks are opened, changed and saved without the spreadsheet program; only
// printing and showing one need it.
TEST_F(ApplicationTest, WithoutTheSpreadsheetProgramOnlyPrintingFails) {
    excel::office::setProgram("no-such-office-program");
    excel::setPrintDestination({excel::PrintTo::WorkbookFile, folder_.filePath("printed.xlsx")});
    excel::Application excel;
    EXPECT_FALSE(excel::Application::CanPrint());
    ASSERT_EQ(excel.Open(book_), 0);
    excel::Workbook* book = excel.Workbooks("list.xlsx");
    ASSERT_EQ(book->FirstSheet().SetValue(2, 1, "保存分"), 0);
    EXPECT_EQ(book->SaveAs(folder_.filePath("saved.xlsx")), 0);
    EXPECT_EQ(excel.PrintOut(*book), excel::errCannotCreateObject);
    EXPECT_FALSE(QFileInfo::exists(folder_.filePath("printed.xlsx")));
    EXPECT_EQ(excel::Application::ShowWorkbook(book_), excel::errCannotCreateObject);
    EXPECT_EQ(excel.Close("saved.xlsx"), 0);
}

TEST_F(ApplicationTest, OpenWorkbooksAreFoundByFileNameUntilClosed) {
    excel::Application excel;
    ASSERT_EQ(excel.Open(book_), 0);
    EXPECT_EQ(excel.Open(folder_.filePath("missing.xlsx")), excel::errFileNotFound);
    ASSERT_NE(excel.Workbooks("list.xlsx"), nullptr);
    EXPECT_EQ(excel.Workbooks("other.xlsx"), nullptr);
    EXPECT_EQ(excel.Close("other.xlsx"), excel::errSubscriptOutOfRange);
    EXPECT_EQ(excel.Close("list.xlsx"), 0);
    EXPECT_EQ(excel.Workbooks("list.xlsx"), nullptr);
}

TEST_F(ApplicationTest, APrintShowsOnlyTheFirstSheetAsFilled) {
    const QString printed = folder_.filePath("printed.xlsx");
    excel::setPrintDestination({excel::PrintTo::WorkbookFile, printed});
    excel::Application excel;
    ASSERT_EQ(excel.Open(book_), 0);
    excel::Workbook* book = excel.Workbooks("list.xlsx");
    ASSERT_EQ(book->FirstSheet().SetValue(2, 1, "印刷分"), 0);
    ASSERT_EQ(excel.PrintOut(*book), 0);

    std::optional<excel::ZipPackage> package = excel::ZipPackage::read(printed);
    ASSERT_TRUE(package);
    const QByteArray part = package->part("xl/workbook.xml");
    pugi::xml_document workbook;
    ASSERT_TRUE(workbook.load_buffer(part.constData(), part.size()));
    std::vector<std::string> states;
    for (pugi::xml_node sheet : workbook.document_element().child("sheets").children("sheet")) {
        states.push_back(sheet.attribute("state").value());
    }
    EXPECT_EQ(states, (std::vector<std::string>{"", "hidden"}));
    int32_t error = 0;
    EXPECT_EQ(excel::Workbook::Open(printed, error)->FirstSheet().Value(2, 1),
              vb::Variant("印刷分"));
    // The open workbook itself is not changed by the print.
    EXPECT_EQ(excel::Workbook::Open(book_, error)->FirstSheet().Value(2, 1), vb::Variant());
}

}  // namespace
