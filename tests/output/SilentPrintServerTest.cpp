#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "OutputFolders.h"
#include "core/MainModule.h"
#include "output/LayoutBooks.h"
#include "output/ListOutput.h"
#include "platform/excel/Application.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/TestHook.h"
#include "tests/platform/printer/SilentPrintServer.h"

namespace {

// The print server of this program takes connections and never answers.
SilentPrintServer& server() {
    static SilentPrintServer silent;
    return silent;
}

const bool serverInUse = qputenv("CUPS_SERVER", server().socketPath().toUtf8());

vb::VariantArray classRows() {
    vb::VariantArray rows(2, 2);
    rows(0, 0) = "001";
    rows(0, 1) = "文具";
    rows(1, 0) = "002";
    rows(1, 1) = "食品";
    return rows;
}

// Both kinds of print, on the program's own page layout and through the spreadsheet
// program, give up on the server in bounded time and show their failure.
TEST(SilentPrintServerTest, EveryKindOfPrintFailsWithItsMessageInBoundedTime) {
    ASSERT_TRUE(serverInUse);
    ASSERT_FALSE(server().socketPath().isEmpty());
    ASSERT_TRUE(excel::Application::CanPrint());
    for (const uint8_t printType : {1, 0}) {
        SCOPED_TRACE(printType);
        OutputFolders folders;
        forms::TestHook::enable();
        MainModule::LayoutFolder = folders.layouts();
        MainModule::PrintType = printType;
        ListOutputSettings settings = ListOutputSettings::ForTitle("売上利益表");
        settings.layoutBook = LayoutBooks::Bunrui;
        settings.dataStartCell = 4;
        settings.columns = {{32, 0}, {143, 0}};
        settings.headings = {{"商品分類番号", "商　品  分　類　名"}};
        settings.printOutType = 1;
        const int before = server().connections();

        QElapsedTimer timer;
        timer.start();
        EXPECT_LT(ListOutput(settings).Print(classRows()), 0);
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_GT(server().connections(), before);
        const std::vector<forms::TestHook::MsgBoxShown>& shown = forms::TestHook::msgBoxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, "売上利益表の印刷に失敗しました。");
        EXPECT_EQ(shown[0].style, forms::vbExclamation);
        forms::TestHook::disable();
    }
    MainModule::PrintType = 0;
}

}  // namespace
