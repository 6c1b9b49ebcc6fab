#include <sqlcipher/sqlite3.h>

#include <QApplication>

#include "DayFixture.h"
#include "core/MainModule.h"
#include "platform/forms/MsgBox.h"
#include "platform/jet/Connection.h"
#include "tests/screens/menu/FocusKeys.h"

namespace {

const QString Question = "2024年5月15日 のデータを登録してもよろしいですか？";
const QString Registered = "Dataが正常に登録されました。";

class frmSireUriageRegisterTest : public DayFixture {
  protected:
    // Purchase quantity, sales quantity and sales amount of a shown row.
    void type(int row, const QString& purchase, const QString& sales, const QString& money) {
        screen_->EGrid.Value(static_cast<int16_t>(row), 3, purchase);
        screen_->EGrid.Value(static_cast<int16_t>(row), 4, sales);
        screen_->EGrid.Value(static_cast<int16_t>(row), 6, money);
    }
    // Runs engine SQL on the database copy, outside the wrapper.
    void engine(const char* sql) const {
        jet::Connection connection;
        ASSERT_FALSE(
            connection.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + database.filePath() +
                            ";Jet OLEDB:Database Password=" + TestDatabase::password() + ";"));
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(connection.handle(), sql, nullptr, nullptr, &error), SQLITE_OK)
            << (error != nullptr ? error : "");
        connection.close();
    }
};

TEST_F(frmSireUriageRegisterTest, NothingChangedAsksNothingAndWritesNothing) {
    frmSireUriage& screen = open();
    type(1, "", "", "");
    screen.btnInsert_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(gridRow(1), "001|0002|消しゴム|0|0|33.5|0");  // blanks became "0"
    EXPECT_EQ(database.count("Management_Tbl"), 0);
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmSireUriageRegisterTest, WritesChangedAndNonZeroRowsAtTheListsPurchasePrice) {
    dayRow(Today(), "001", "0002", {"4", "99", "396", "3", "101"});
    dayRow(Today().addDays(1), "001", "0001", {"8", "50", "400", "0", "0"});
    frmSireUriage& screen = open();
    type(0, "-2", "1", "80");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();

    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 2u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, Question);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 36);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "仕入/売上管理表");
    EXPECT_EQ(forms::TestHook::msgBoxes()[1].text, Registered);
    EXPECT_EQ(storedDay(Today()),
              (std::vector<QString>{"001|0001|-2|50|-100|1|80", "001|0002|4|30|120|3|101"}));
    EXPECT_EQ(storedDay(Today().addDays(1)), std::vector<QString>{"001|0001|8|50|400|0|0"});
    EXPECT_EQ(totals(), "合計|2|4|181");  // reloaded
    EXPECT_EQ(screen.DayRows().at(0, 4).toString(), "-100");
    EXPECT_TRUE(screen.btnPrint->isVisible());
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmSireUriageRegisterTest, PurchaseAmountsFollowTheAmountSetting) {
    struct Case {
        int sumDecimal;
        QString quantity;
        QString amount;
    };
    product("002", "0002", "量り売り", "3", "5");
    const std::vector<Case> cases = {{0, "2.5", "8"},
                                     {0, "-2.5", "-8"},
                                     {1, "2.5", "8"},
                                     {2, "2.5", "7.5"},
                                     {3, "-2.5", "-7.5"}};
    for (const Case& c : cases) {
        MainModule::SumDecimal = static_cast<uint8_t>(c.sumDecimal);
        open();
        type(3, c.quantity, "0", "0");
        forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
        screen_->btnInsert_Click();
        EXPECT_EQ(storedDay(Today()),
                  std::vector<QString>{"002|0002|" + c.quantity + "|3|" + c.amount + "|0|0"})
            << c.sumDecimal;
    }
}

TEST_F(frmSireUriageRegisterTest, ADaySetAllToZeroIsDeleted) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    dayRow(Today(), "002", "0001", {"2", "100", "200", "0", "0"});
    frmSireUriage& screen = open();
    type(0, "0", "0", "0");
    type(2, "", "0", "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{Question, Registered}));
    EXPECT_TRUE(storedDay(Today()).empty());
    EXPECT_FALSE(screen.btnPrint->isVisible());
    EXPECT_EQ(totals(), "合計|0|0|0");
}

TEST_F(frmSireUriageRegisterTest, ARowSetToZeroBesideAFilledRowIsWrittenAsAZeroRow) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    frmSireUriage& screen = open();
    type(0, "0", "0", "0");
    type(2, "3", "0", "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(storedDay(Today()),
              (std::vector<QString>{"001|0001|0|50|0|0|0", "002|0001|3|100|300|0|0"}));
}

TEST_F(frmSireUriageRegisterTest, AStoredRowWithoutItsProductIsKeptUnchanged) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    dayRow(Today(), "001", "0009", {"7", "10", "70", "Null", "40"});
    const QString orphan = "001|0009|7|10|70||40";
    ASSERT_EQ(storedDay(Today())[1], orphan);
    frmSireUriage& screen = open();
    type(2, "1", "0", "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(storedDay(Today()),
              (std::vector<QString>{"001|0001|1|50|50|1|80", orphan, "002|0001|1|100|100|0|0"}));

    type(0, "0", "0", "0");
    type(2, "0", "0", "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(storedDay(Today()), std::vector<QString>{orphan});
}

TEST_F(frmSireUriageRegisterTest, AFailedLaterInsertLeavesTheStoredDayAsItWas) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    dayRow(Today(), "002", "0001", {"2", "100", "200", "0", "0"});
    engine(
        "CREATE TRIGGER refuse_bread BEFORE INSERT ON Management_Tbl "
        "WHEN NEW.Trade_No = '0001' AND NEW.Classify_No = '002' "
        "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const std::vector<QString> before = storedDay(Today());
    frmSireUriage& screen = open();
    type(0, "5", "1", "80");
    type(2, "6", "0", "0");
    forms::TestHook::queueMsgBoxAnswer(forms::vbYes);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts(), (std::vector<QString>{Question, "Dataの登録に失敗しました。"}));
    EXPECT_EQ(storedDay(Today()), before);
    EXPECT_EQ(gridRow(0), "001|0001|鉛筆|5|1|80|80");  // the input stays for another try
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmSireUriageRegisterTest, AnsweringNoWritesNothingAndKeepsTheInput) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    frmSireUriage& screen = open();
    type(1, "2", "", "");
    forms::TestHook::queueMsgBoxAnswer(forms::vbNo);
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts(), std::vector<QString>{Question});
    EXPECT_EQ(storedDay(Today()), std::vector<QString>{"001|0001|1|50|50|1|80"});
    EXPECT_EQ(gridRow(1), "001|0002|消しゴム|2|0|33.5|0");
    EXPECT_TRUE(screen.Enabled());
}

// The register button keeps the focus when nothing is registered and after a
// registration; No to the question gives it to the grid.
TEST_F(frmSireUriageRegisterTest, RegisterGivesTheFocusBackOnEveryWayOut) {
    frmSireUriage& screen = open();
    ASSERT_TRUE(FocusKeys::ShowActive(screen));
    ASSERT_EQ(QApplication::focusWidget(), screen.Picture2);
    EXPECT_EQ(FocusKeys::Press(Qt::Key_Down), screen.Picture2);

    const struct {
        QString purchase;
        int answer;  // 0: no question
        QWidget* focus;
        std::vector<QString> boxes;
    } cases[] = {
        {"", 0, screen.btnInsert, {}},
        {"2", forms::vbNo, screen.Picture2, {Question}},
        {"2", forms::vbYes, screen.btnInsert, {Question, Registered}},
    };
    for (const auto& c : cases) {
        forms::TestHook::enable();
        type(1, c.purchase, "", "");
        if (c.answer != 0) {
            forms::TestHook::queueMsgBoxAnswer(c.answer);
        }
        EXPECT_EQ(FocusKeys::Click(screen.btnInsert), c.focus) << c.purchase.toStdString();
        EXPECT_EQ(boxTexts(), c.boxes);
    }
    EXPECT_EQ(storedDay(Today()), std::vector<QString>{"001|0002|2|30|60|0|0"});
}

TEST_F(frmSireUriageRegisterTest, AnAmountTooLargeIsRefusedBeforeTheQuestion) {
    dayRow(Today(), "001", "0001", {"1", "50", "50", "1", "80"});
    product("002", "0002", "宝石", "900000000000", "1");
    frmSireUriage& screen = open();
    type(0, "3", "1", "80");
    type(3, "9999999", "0", "0");
    screen.btnInsert_Click();
    EXPECT_EQ(boxTexts(),
              std::vector<QString>{"商品番号[002-0002]の金額が大きすぎるため登録できません。"});
    EXPECT_EQ(storedDay(Today()), std::vector<QString>{"001|0001|1|50|50|1|80"});
    EXPECT_TRUE(screen.Enabled());
}

TEST_F(frmSireUriageRegisterTest, AClickWhileBusyDoesNothing) {
    frmSireUriage& screen = open();
    type(0, "1", "0", "0");
    screen.SetMousePointer(forms::vbHourglass);
    screen.btnInsert_Click();
    screen.btnEND_Click();
    EXPECT_TRUE(boxTexts().empty());
    EXPECT_EQ(database.count("Management_Tbl"), 0);
    EXPECT_TRUE(screen.Loaded());
}

}  // namespace
