#include <memory>
#include <vector>

#include "AnalysisFixture.h"
#include "platform/forms/TestHook.h"
#include "screens/analysis/frmRanking.h"
#include "screens/analysis/frmRieki.h"
#include "screens/analysis/frmSyosuList.h"

namespace {

// Amounts near the ends of the range of an amount (922,337,203,685,477.5807).
const QString Large = "900000000000000";
const QString Small = "50000000000000";
const QString Half = "500000000000000";

// One daily row of today's month on the given day, at the price 1.
struct Row {
    int day;
    const char* classNo;
    const char* tradeNo;
    QString costQuantity;
    QString salesQuantity;
    QString salesMoney;
};

struct Case {
    const char* name;
    std::vector<Row> rows;
    bool told;  // the read fails with its message
};

class SumsOutOfRangeTest : public AnalysisFixture {
  protected:
    void SetUp() override {
        AnalysisFixture::SetUp();
        for (const char* no : {"001", "002", "003"}) {
            classify(no, QStringLiteral("分類") + no);
            product(no, "0001", "商品", "1", "2");
        }
        product("001", "0002", "商品", "1", "2");
        product("001", "0003", "商品", "1", "2");
        storedRow(4, "001", "分類001", "0001", "商品", "0", "0", "0", "1", "0");
    }
    // Replaces the daily rows.
    void use(const std::vector<Row>& rows) const {
        runSql("DELETE FROM Management_Tbl");
        for (const Row& row : rows) {
            movement(5, row.day, row.classNo, row.tradeNo, row.costQuantity, "1", row.salesQuantity,
                     row.salesMoney);
        }
        forms::TestHook::enable();
    }
    // The one message of a failed read under title, or none.
    void expectTold(bool told, const QString& title) const {
        if (!told) {
            EXPECT_TRUE(boxTexts().empty()) << boxTexts().front().toStdString();
            return;
        }
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "Dataが抽出できませんでした。");
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, title);
    }
    template <typename Screen>
    std::unique_ptr<Screen> open() const {
        auto screen = std::make_unique<Screen>();
        screen->SetDeleteOnUnload(false);
        screen->Show();
        EXPECT_TRUE(screen->Loaded());
        EXPECT_TRUE(screen->Visible());
        EXPECT_TRUE(screen->isEnabled());
        return screen;
    }
};

// A class's sum in range is ranked whatever its products' sums pass on the way; any sum
// out of range, a row's profit too, is the read's failure.
TEST_F(SumsOutOfRangeTest, TheRankingsTellASumOutOfRange) {
    const Case cases[] = {
        {"class sum in range",
         {{2, "001", "0001", "0", "1", Large},
          {3, "001", "0002", "0", "1", Small},
          {4, "001", "0003", "0", "1", "-" + Large}},
         false},
        {"product sum",
         {{2, "002", "0001", "0", "1", Half}, {3, "002", "0001", "0", "1", Half}},
         true},
        {"class sum",
         {{2, "001", "0001", "0", "1", Large}, {3, "001", "0002", "0", "1", Small}},
         true},
        {"quantity sum",
         {{2, "003", "0001", "0", Half, "1"}, {3, "003", "0001", "0", Half, "1"}},
         true},
        {"a row's profit", {{2, "003", "0001", "-" + Large, "1", Large}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        use(c.rows);
        const std::unique_ptr<frmRanking> screen = open<frmRanking>();
        expectTold(c.told, "ランキング");
        const RankingTables::Ranking& classes = screen->Tables().Classes(RankingTables::Amount);
        if (c.told) {
            EXPECT_EQ(classes.count, 0);
            EXPECT_EQ(screen->Tables().Products(RankingTables::Profit).count, 0);
            continue;
        }
        ASSERT_EQ(classes.count, 3);
        EXPECT_EQ(classes.rows(0, 1).toString(), "001");
        EXPECT_EQ(classes.rows(0, 3).toString(), "50000000000000");
    }
}

TEST_F(SumsOutOfRangeTest, TheStockListsTellASumOutOfRange) {
    const Case cases[] = {
        {"sales", {{2, "002", "0001", "0", Half, "1"}, {3, "002", "0001", "0", Half, "1"}}, true},
        {"purchases",
         {{2, "002", "0001", Half, "0", "0"}, {3, "002", "0001", Half, "0", "0"}},
         true},
        {"both in range",
         {{2, "002", "0001", Half, "0", "0"}, {3, "002", "0001", "0", Half, "0"}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        use(c.rows);
        const std::unique_ptr<frmSyosuList> screen = open<frmSyosuList>();
        expectTold(c.told, "在庫少数リスト");
        EXPECT_EQ(screen->Lists().AllStockCount(), c.told ? 0 : 5);
    }
}

// The day's totals add the class sums exactly: only a total out of range fails the day.
TEST_F(SumsOutOfRangeTest, TheProfitTableTellsASumOrATotalOutOfRange) {
    const Case cases[] = {
        {"total in range",
         {{15, "001", "0001", "0", "1", Large},
          {15, "002", "0001", "0", "1", Small},
          {15, "003", "0001", "0", "1", "-" + Large}},
         false},
        {"total",
         {{15, "001", "0001", "0", "1", Large}, {15, "002", "0001", "0", "1", Small}},
         true},
        {"class sum",
         {{15, "001", "0001", "0", "1", Half}, {15, "001", "0002", "0", "1", Half}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        use(c.rows);
        const std::unique_ptr<frmRieki> screen = open<frmRieki>();
        expectTold(c.told, "売上利益表");
        if (c.told) {
            EXPECT_EQ(screen->Table().ClassCount(), 0);
            EXPECT_FALSE(screen->btnPrint->isVisible());
            continue;
        }
        EXPECT_EQ(screen->Table().Totals()(0, 4).toString(), "50000000000000");
        EXPECT_EQ(screen->Table().Totals()(0, 5).toString(), "50000000000000");
    }
}

}  // namespace
