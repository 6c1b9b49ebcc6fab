#include <QPushButton>
#include <memory>

#include "AnalysisFixture.h"
#include "core/MainModule.h"
#include "screens/analysis/frmRanking.h"
#include "tests/controls/PickerFixture.h"

namespace {

using vb::Date;

struct PickerSteps : PickerTest {
    using PickerTest::chooseMonth;
    using PickerTest::whenShown;
};

class frmRankingTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        classify("001", "文具");
        classify("002", "食品");
        product("001", "0001", "ノート", "100", "120");
        product("002", "0001", "パン", "10", "20");
        storedRow(4, "001", "文具", "0001", "ノート", "2.5", "300.25", "100");
        movement(5, 2, "002", "0001", "1", "10", "4", "80");
    }
    void TearDown() override {
        screen_.reset();
        AnalysisFixture::TearDown();
    }
    frmRanking& open() {
        screen_ = std::make_unique<frmRanking>();
        screen_->SetDeleteOnUnload(false);
        screen_->ReturnToMenu = [this] { ++menuReturns_; };
        screen_->Show();
        return *screen_;
    }
    static void chooseMonth(frmRanking& screen, int month) {
        PickerSteps::whenShown([month](PickerForm& picker) {
            PickerSteps::chooseMonth(picker, month);
            picker.OKButton_Click();
        });
        screen.btnSelect_Click();
    }

    std::unique_ptr<frmRanking> screen_;
    int menuReturns_ = 0;
};

TEST_F(frmRankingTest, OpensOnTheCurrentOpenMonthAndGoesBackToTheMenu) {
    frmRanking& screen = open();
    EXPECT_EQ(screen.lblYear->text(), "2024");
    EXPECT_EQ(screen.lblMonth->text(), "5");
    EXPECT_EQ(screen.ToDate(), Date::fromYmd(2024, 5, 31));
    EXPECT_EQ(screen.HeadGrid.Value(0, 1), "商品分類番号");
    EXPECT_EQ(screen.HeadGrid.Value(0, 3), "数量");
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 0), "1");
    EXPECT_EQ(screen.BodyGrid.Value(0, 1), "002");
    EXPECT_EQ(screen.BodyGrid.Value(0, 3), "4");
    EXPECT_EQ(screen.BodyGrid.Value(1, 1), "001");
    EXPECT_EQ(screen.BodyGrid.Value(2, 1), "");
    EXPECT_EQ(screen.BodyGrid.Row(), 0);
    EXPECT_EQ(screen.BodyGrid.Col(), 1);
    EXPECT_EQ(screen.Commands[0]->width(), 1850 / 15);
    screen.btnEND_Click();
    EXPECT_EQ(menuReturns_, 1);
    EXPECT_FALSE(screen.Loaded());
}

TEST_F(frmRankingTest, TabsShowTheProductRankingsOfTheClosedMonth) {
    MainModule::SumDecimal = 2;
    frmRanking& screen = open();
    chooseMonth(screen, 4);
    EXPECT_EQ(screen.FromDate(), Date::fromYmd(2024, 4, 1));
    screen.Command5_Click();
    EXPECT_EQ(screen.HeadGrid.Value(0, 1), "番  号");
    EXPECT_EQ(screen.HeadGrid.Value(0, 3), "金額");
    EXPECT_EQ(screen.BodyGrid.Cols(), 5);
    EXPECT_EQ(screen.BodyGrid.Value(0, 2), "0001");
    EXPECT_EQ(screen.BodyGrid.Value(0, 3), "ノート");
    EXPECT_EQ(screen.BodyGrid.Value(0, 4), "300.25");
    EXPECT_EQ(screen.BodyGrid.Value(1, 0), "");
    EXPECT_EQ(screen.Commands[4]->width(), 1850 / 15);
    EXPECT_EQ(screen.Commands[0]->width(), 1695 / 15);
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(frmRankingTest, AMonthAfterTodayIsRefusedAndShowsEmptyRankings) {
    frmRanking& screen = open();
    chooseMonth(screen, 6);
    EXPECT_EQ(screen.lblMonth->text(), "6");
    EXPECT_EQ(boxTexts(), (std::vector<QString>{"指定された日付は現在の日付より後の日付です。"}));
    for (int tab = 0; tab < 6; ++tab) {
        EXPECT_EQ(screen.Tables().Classes(tab % 3).count, 0);
    }
    screen.Command4_Click();
    EXPECT_EQ(screen.BodyGrid.Rows(), 15);
    EXPECT_EQ(screen.BodyGrid.Value(0, 1), "");
}

}  // namespace
