#include <gtest/gtest.h>

#include "TestFiles.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/TestHook.h"

namespace {

class ResultMessagesTest : public ::testing::Test {
  protected:
    void SetUp() override { forms::TestHook::enable(); }
    void TearDown() override { forms::TestHook::disable(); }
};

struct ErrorCase {
    int32_t code;
    QString text;  // "": no box
    int style;
    QString title;
    bool ends;  // with endFlag 1
};

const QString kRestore = "\r\nDataBaseを復元してください。";

TEST_F(ResultMessagesTest, EveryFailureCodeShowsItsBox) {
    const ErrorCase cases[] = {
        {-1000, "DataBaseが破損している恐れがあります。" + kRestore, 16, "Error", true},
        {-1, "DataBaseが存在しません。" + kRestore, 16, "Error", true},
        {-500, "Dataが抽出できませんでした。", 48, "商品マスタ", true},
        {-501, "指定された日付は初期Data前の日付です。", 48, "商品マスタ", false},
        {-502, "指定された日付は現在の日付より後の日付です。", 48, "商品マスタ", false},
        {-503, "基本データ取得に失敗しました。", 48, "商品マスタ", true},
        {-600, "Dataの登録に失敗しました。", 48, "商品マスタ", false},
        {-700, "Dataの削除に失敗しました。", 48, "商品マスタ", false},
        {-800, "削除Dataのチェックに失敗しました。", 48, "商品マスタ", false},
        {-20, "エラーが発生しました。(コード: -20)", 48, "商品マスタ", false},
        {-3022, "エラーが発生しました。(コード: -3022)", 48, "商品マスタ", false},
        {0, "", 0, "", false},
        {1000, "", 0, "", false},
    };
    for (const ErrorCase& c : cases) {
        for (const uint8_t endFlag : {0, 1}) {
            forms::TestHook::enable();
            XX共通関数::ShowErrorMessage(c.code, "商品マスタ", endFlag);
            const auto& boxes = forms::TestHook::msgBoxes();
            const std::size_t ends = endFlag == 1 && c.ends ? 1 : 0;
            EXPECT_EQ(forms::TestHook::ends().size(), ends)
                << c.code << " endFlag " << int(endFlag);
            if (c.text.isEmpty()) {
                EXPECT_TRUE(boxes.empty()) << c.code;
                continue;
            }
            ASSERT_EQ(boxes.size(), 1u) << c.code;
            EXPECT_EQ(boxes[0].text, c.text) << c.code;
            EXPECT_EQ(boxes[0].style, c.style) << c.code;
            EXPECT_EQ(boxes[0].title, c.title) << c.code;
        }
    }
}

TEST_F(ResultMessagesTest, AFailureWithoutAMessageOfItsOwnCarriesTheErrorText) {
    XX共通関数::ShowErrorMessage(-3022, "日次入力", 1, "キーが重複しています。");
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text,
              "エラーが発生しました。(コード: -3022)\r\nキーが重複しています。");
    EXPECT_TRUE(forms::TestHook::ends().empty());
}

TEST_F(ResultMessagesTest, ListedCodesKeepTheirTextWhateverTheErrorText) {
    XX共通関数::ShowErrorMessage(-600, "", 0, "ディスクがいっぱいです。");
    ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u);
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, "Dataの登録に失敗しました。");
    EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "モルビク");
}

TEST_F(ResultMessagesTest, EveryCompletionCodeShowsItsInformationBox) {
    const struct {
        int16_t code;
        QString text;
    } cases[] = {
        {1000, "Dataが正常に登録されました。"},
        {2000, "Dataが正常に削除されました。"},
        {3000, "Dataが正常に保存されました。"},
        {4000, "Dataが正常に印刷されました。"},
        {0, ""},
        {-500, ""},
    };
    for (const auto& c : cases) {
        forms::TestHook::enable();
        XX共通関数::ShowDoneMessage(c.code, "在庫表");
        ASSERT_EQ(forms::TestHook::msgBoxes().size(), 1u) << c.code;
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].text, c.text) << c.code;
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].style, 64);
        EXPECT_EQ(forms::TestHook::msgBoxes()[0].title, "在庫表");
        EXPECT_TRUE(forms::TestHook::ends().empty());
    }
}

}  // namespace
