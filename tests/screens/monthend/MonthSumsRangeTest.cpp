#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CloseFixture.h"
#include "core/MainModule.h"
#include "platform/forms/TestHook.h"
#include "screens/monthend/MonthClose.h"
#include "screens/monthend/frmZiko.h"
#include "tests/controls/PickerFixture.h"

namespace {

using vb::Date;

// Amounts near the ends of the range of an amount (922,337,203,685,477.5807).
const QString Large = "900000000000000";
const QString Small = "50000000000000";
const QString Half = "500000000000000";

struct PickerSteps : PickerTest {
    using PickerTest::chooseMonth;
    using PickerTest::whenShown;
};

struct Sale {
    const char* classNo;
    const char* tradeNo;
    QString quantity;
    QString money;
};

class MonthSumsRangeTest : public CloseFixture {
  protected:
    void SetUp() override {
        CloseFixture::SetUp();
        classify("001", "文具");
        classify("002", "食品");
        product("001", "0001", "ノート", "1", "2");
        product("001", "0002", "ペン", "1", "2");
        product("001", "0003", "定規", "1", "2");
        product("002", "0001", "パン", "1", "2");
        closeMonth(2024, 3, "001", "0001", 7);
        MainModule::LastCloseDate = Date::fromYmd(2024, 3, 1);
    }
    void TearDown() override {
        screen_.reset();
        CloseFixture::TearDown();
    }
    void sell(int month, const std::vector<Sale>& sales) const {
        int day = 1;
        for (const Sale& sale : sales) {
            movement(month, day++, sale.classNo, sale.tradeNo, "0", "1", sale.quantity, sale.money);
        }
    }
    frmZiko& open() {
        screen_ = std::make_unique<frmZiko>();
        screen_->SetDeleteOnUnload(false);
        screen_->Show();
        return *screen_;
    }

    std::unique_ptr<frmZiko> screen_;
};

// A class's sum is refused only when it is out of range itself, not when the sums of its
// products pass the end on the way; a product's sum out of range refuses the month too.
TEST_F(MonthSumsRangeTest, TheCloseRefusesOnlyASumThatIsOutOfRange) {
    const QStringList fields = {"Classify_No", "Trade_No",    "Sales_Money", "ClasRankRi",
                                "ClasRankMo",  "TradeRankRi", "TradeRankMo"};
    struct Case {
        const char* name;
        std::vector<Sale> sales;
        std::vector<QString> stored;  // empty: refused
    };
    const Case cases[] = {
        {"class sum in range, its running sum beyond the end",
         {{"001", "0001", "1", Large},
          {"001", "0002", "1", Small},
          {"001", "0003", "1", "-" + Large},
          {"002", "0001", "1", "10"}},
         {"001|0001|900000000000000|1|1|1|1", "001|0002|50000000000000|1|1|2|2",
          "001|0003|-900000000000000|1|1|4|4", "002|0001|10|2|2|3|3"}},
        // no gain: the zero group ranks 0
        {"class sum at the lower end of the range",
         {{"001", "0001", "1", "-922337203685477.5807"}, {"001", "0002", "1", "-0.0001"}},
         {"001|0001|-922337203685477.5807|1|1|2|2", "001|0002|-0.0001|1|1|1|1",
          "001|0003|0|1|1|0|0", "002|0001|0|0|0|0|0"}},
        {"class sum out of range", {{"001", "0001", "1", Large}, {"001", "0002", "1", Small}}, {}},
        {"product sum out of range", {{"001", "0001", "1", Half}, {"001", "0001", "1", Half}}, {}},
        {"product quantity out of range",
         {{"002", "0001", Half, "1"}, {"002", "0001", Half, "1"}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        runSql("DELETE FROM Management_Tbl");
        sell(4, c.sales);
        MonthClose close(Date::fromYmd(2024, 4, 1));
        const int32_t calculated = close.Calculate();
        if (c.stored.empty()) {
            EXPECT_NE(calculated, MonthClose::Ready);
            EXPECT_EQ(close.Rows().rows(), 0);
            continue;
        }
        ASSERT_EQ(calculated, MonthClose::Ready);
        ASSERT_GE(close.Save(), 0);
        EXPECT_EQ(stored(4, fields), c.stored);
    }
}

// The open month and the months between it and the last close: a sum out of range
// is the read's failure, told under the screen's title, and the screen stays open.
TEST_F(MonthSumsRangeTest, TheInventoryScreenTellsASumOutOfRangeAndStaysOpen) {
    struct Case {
        const char* name;
        int month;
    };
    for (const Case& c : {Case{"the shown month", 5}, Case{"a month between", 4}}) {
        SCOPED_TRACE(c.name);
        runSql("DELETE FROM Management_Tbl");
        forms::TestHook::enable();
        sell(c.month, {{"001", "0002", Half, "1"}, {"001", "0002", Half, "1"}});
        frmZiko& screen = open();
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "Dataが抽出できませんでした。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "在庫管理表");
        EXPECT_TRUE(screen.Loaded());
        EXPECT_TRUE(screen.Visible());
        EXPECT_TRUE(screen.isEnabled());
        EXPECT_EQ(screen.BodyGrid.Value(0, 2), "");
        EXPECT_FALSE(screen.btnPrint->isVisible());
    }
    // Sums in range again: the same screen shows the month.
    runSql("DELETE FROM Management_Tbl");
    sell(5, {{"001", "0002", "3", "1"}});
    PickerSteps::whenShown([](PickerForm& picker) {
        PickerSteps::chooseMonth(picker, 5);
        picker.OKButton_Click();
    });
    screen_->btnSelect_Click();
    EXPECT_EQ(screen_->BodyGrid.Value(1, 2), "ペン");
    EXPECT_EQ(screen_->BodyGrid.Value(1, 5), "3");
}

}  // namespace
