#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "GridFixture.h"
#include "platform/runtime/VariantArray.h"

namespace {

// Columns: 1 text (Japanese input, 6 bytes) and 2 numeric (9.2) between two passed-over,
// read-only columns 0 and 3.
class ExpandGrid2EditTest : public GridFixture {
  protected:
    void SetUp() override {
        GridFixture::SetUp();
        prepare();
    }

    void prepare() {
        build(30, {1, 16, 16, 1});
        grid_.ColsEditMode(1, 1);
        grid_.ColsEditMaxLength(1, 6);
        grid_.ColsEditMode(2, 2);
        grid_.ColsEditMaxLength(2, 9.2f);
        grid_.Value(0, 1, "123");
        grid_.Value(0, 2, "45");
        grid_.SelectCell(0, 1);
        body_->SetFocus();
    }

    bool editing() const { return editor_->isVisible(); }

    void commitText(QWidget* target, const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(target, &event);
    }
};

TEST_F(ExpandGrid2EditTest, BodyKeyTable) {
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* value;
        bool editing;
        const char* editorText;
    };
    const Case cases[] = {
        {"typing replaces the value", [&] { type("7"); }, "", true, "7"},
        {"F2 edits the text", [&] { key(Qt::Key_F2); }, "123", true, "123"},
        {"Delete empties the cell", [&] { key(Qt::Key_Delete); }, "", false, ""},
        {"Backspace starts an empty edit", [&] { key(Qt::Key_Backspace); }, "", true, ""},
        {"Shift alone", [&] { key(Qt::Key_Shift); }, "123", false, ""},
        {"Alt alone", [&] { key(Qt::Key_Alt); }, "123", false, ""},
        {"Esc", [&] { key(Qt::Key_Escape); }, "123", false, ""},
        {"a function key", [&] { key(Qt::Key_F5); }, "123", false, ""},
        {"Home", [&] { key(Qt::Key_Home); }, "123", false, ""},
        {"End", [&] { key(Qt::Key_End); }, "123", false, ""},
        {"an input-method key", [&] { silentKey(Qt::Key_Henkan); }, "123", false, ""},
        {"Ctrl with another letter", [&] { key(Qt::Key_X, Qt::ControlModifier); }, "123", false,
         ""},
        {"Alt with a letter", [&] { key(Qt::Key_A, Qt::AltModifier); }, "123", false, ""},
    };
    for (const Case& c : cases) {
        prepare();
        c.act();
        EXPECT_EQ(grid_.Value(0, 1), c.value) << c.name;
        EXPECT_EQ(editing(), c.editing) << c.name;
        if (c.editing) {
            EXPECT_EQ(editor_->text(), c.editorText) << c.name;
        }
    }
}

TEST_F(ExpandGrid2EditTest, F2PutsTheCaretAfterTheTextAndDoubleClickSelectsIt) {
    key(Qt::Key_F2);
    EXPECT_EQ(editor_->cursorPosition(), 3);
    EXPECT_FALSE(editor_->hasSelectedText());
    grid_.SelectCell(0, 1);
    EXPECT_FALSE(editing());
    record();
    doubleClick(0, 1);
    ASSERT_TRUE(editing());
    EXPECT_EQ(editor_->selectedText(), "123");
    EXPECT_EQ(log_.back(), "DblClick 0,1=123");
}

TEST_F(ExpandGrid2EditTest, CopyAndPaste) {
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "123");

    QGuiApplication::clipboard()->setText("あいうえ\r\n");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid_.Value(0, 1), "あいう");  // six bytes
    EXPECT_FALSE(editing());

    grid_.SelectCell(0, 2);
    QGuiApplication::clipboard()->setText("12.345");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid_.Value(0, 2), "45");  // three decimals: refused
    QGuiApplication::clipboard()->setText(" -12.5\n");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid_.Value(0, 2), "-12.5");

    grid_.SelectCell(0, 3);  // not editable
    QGuiApplication::clipboard()->setText("x");
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Delete);
    EXPECT_EQ(grid_.Value(0, 3), "0-3");
}

TEST_F(ExpandGrid2EditTest, NumericCellsTakeOnlyWhatTheFilterAccepts) {
    grid_.SelectCell(0, 2);
    type("a");
    EXPECT_EQ(grid_.Value(0, 2), "45");
    EXPECT_FALSE(editing());
    type("-12.345");
    EXPECT_EQ(editor_->text(), "-12.34");
    key(Qt::Key_Return);
    EXPECT_EQ(grid_.Value(0, 2), "-12.34");
    EXPECT_EQ(grid_.Row(), 1);  // Enter wrapped past the read-only and passed-over columns
    EXPECT_EQ(grid_.Col(), 1);
}

TEST_F(ExpandGrid2EditTest, EditorMovesAndEvents) {
    record();
    type("x");
    key(Qt::Key_Right);  // leaves the editor for the next cell
    key(Qt::Key_F2);
    key(Qt::Key_Left);
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    EXPECT_EQ(log_, (std::vector<std::string>{"Leave 0,1=x", "Enter 0,2=45", "Leave 0,2=45",
                                              "Enter 0,1=x", "Leave 0,1=x", "Enter 1,1=1-1",
                                              "Leave 1,1=1-1", "Enter 0,1=x"}));
    EXPECT_FALSE(editing());
}

TEST_F(ExpandGrid2EditTest, EnterOnTheLastReachableCellOnlyCommits) {
    grid_.SelectCell(29, 2);
    record();
    type("5");
    key(Qt::Key_Return);
    EXPECT_TRUE(log_.empty());
    EXPECT_EQ(grid_.Value(29, 2), "5");
    EXPECT_EQ(grid_.Row(), 29);
    EXPECT_FALSE(editing());
}

TEST_F(ExpandGrid2EditTest, TheEditorStandsOverTheCell) {
    key(Qt::Key_F2);
    const QRect cell(body_->pos() + QPoint(1, 1) + QPoint(2000 / 15, 0), QSize(2000 / 15, 26));
    EXPECT_TRUE(cell.contains(editor_->geometry())) << editor_->geometry().x();
    EXPECT_EQ(editor_->palette().color(QPalette::Base), QColor(182, 189, 210));
}

TEST_F(ExpandGrid2EditTest, InputMethodTextStartsTheEditor) {
    commitText(body_, "あいうえ");
    ASSERT_TRUE(editing());
    EXPECT_EQ(editor_->text(), "あいう");
    key(Qt::Key_Return);
    EXPECT_EQ(grid_.Value(0, 1), "あいう");

    grid_.SelectCell(0, 1);
    QInputMethodEvent composing("か", {});
    QCoreApplication::sendEvent(body_, &composing);
    EXPECT_TRUE(editing());
    EXPECT_EQ(grid_.Value(0, 1), "");
    commitText(focused(), "漢");
    EXPECT_EQ(editor_->text(), "漢");

    grid_.SelectCell(0, 2);  // numeric cells take full-width digits as digits
    commitText(body_, "１２");
    EXPECT_EQ(editor_->text(), "12");
}

TEST_F(ExpandGrid2EditTest, LosingTheFocusCommitsAndCommitCellRaisesLeaveCell) {
    auto* button = new QPushButton("OK", &form_);
    button->show();
    record();
    type("9");
    button->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(editing());
    EXPECT_EQ(grid_.Value(0, 1), "9");
    EXPECT_TRUE(log_.empty());  // a commit by focus alone raises nothing

    events_.push_back(grid_.LeaveCell.connect([this] { grid_.Value(0, 3, "computed"); }));
    grid_.CommitCell();
    EXPECT_EQ(log_, (std::vector<std::string>{"Leave 0,1=9"}));
    EXPECT_EQ(grid_.Value(0, 3), "computed");
    EXPECT_EQ(grid_.Row(), 0);
    EXPECT_EQ(grid_.Col(), 1);
    EXPECT_EQ(QApplication::focusWidget(), button);  // the button keeps the focus
}

TEST_F(ExpandGrid2EditTest, PageKeysAndPagingCloseTheEditor) {
    type("z");
    grid_.PageSkip(2);
    EXPECT_FALSE(editing());
    EXPECT_EQ(grid_.Value(0, 1), "z");
    key(Qt::Key_PageDown);
    EXPECT_EQ(grid_.Page(), 3);
    key(Qt::Key_PageUp);
    EXPECT_EQ(grid_.Page(), 2);
}

// A combo column: the list is (code, name); the cell shows the code.
class ExpandGrid2ComboTest : public GridFixture {
  protected:
    void SetUp() override {
        GridFixture::SetUp();
        build(30, {16, 32, 16});
        vb::VariantArray list(4, 2);
        const char* codes[] = {"a", "b", "*", "c?"};
        for (int r = 0; r < 4; ++r) {
            list(r, 0) = vb::Variant(codes[r]);
            list(r, 1) = vb::Variant(QStringLiteral("name%1").arg(r));
        }
        grid_.ColsComboBox(1)->AppendList(list);
        grid_.Value(0, 1, "b");
        grid_.Value(1, 1, "zz*");
        grid_.SelectCell(0, 0);
        record();
    }

    void pick(int index) {
        combo_->setCurrentIndex(index);
        emit combo_->activated(index);
    }
};

TEST_F(ExpandGrid2ComboTest, ClickOpensTheListOnTheCellsValue) {
    click(0, 1);
    ASSERT_TRUE(combo_->isVisible());
    EXPECT_EQ(combo_->count(), 4);
    EXPECT_EQ(combo_->currentText(), "b");
    EXPECT_EQ(grid_.ColsComboBox(1)->ListIndex(), 1);
    const QRect cell(body_->pos() + QPoint(1, 1) + QPoint(2000 / 15, 0), QSize(2000 / 15, 26));
    EXPECT_TRUE(cell.contains(combo_->geometry()));

    pick(2);
    EXPECT_EQ(grid_.Value(0, 1), "*");
    EXPECT_EQ(log_,
              (std::vector<std::string>{"Leave 0,0=0-0", "InitCombo 0,1=b", "Enter 0,1=b",
                                        "InitCombo 0,1=b", "Click 0,1=b", "ClickCombo 0,1=*"}));
}

TEST_F(ExpandGrid2ComboTest, ValuesWithWildcardsMatchNoOtherRow) {
    grid_.SelectCell(1, 1);
    EXPECT_EQ(grid_.ColsComboBox(1)->ListIndex(), -1);
    EXPECT_EQ(combo_->currentIndex(), -1);
    grid_.SelectCell(1, 2);  // leaving with nothing picked keeps the value
    EXPECT_EQ(grid_.Value(1, 1), "zz*");
    EXPECT_FALSE(combo_->isVisible());
}

TEST_F(ExpandGrid2ComboTest, ComboKeysMoveAndPagesCloseTheList) {
    grid_.SelectCell(0, 1);
    ASSERT_TRUE(combo_->isVisible());
    QTest::keyClick(combo_, Qt::Key_Return);
    EXPECT_EQ(grid_.Col(), 2);
    EXPECT_FALSE(combo_->isVisible());

    grid_.SelectCell(3, 1);
    grid_.PageSkip(2);
    EXPECT_FALSE(combo_->isVisible());  // row 3 is not shown on page 2
    pick(0);
    EXPECT_EQ(grid_.Value(3, 1), "3-1");
    EXPECT_EQ(grid_.Value(13, 1), "13-1");
    grid_.PageSkip(1);
    EXPECT_TRUE(combo_->isVisible());
}

}  // namespace
