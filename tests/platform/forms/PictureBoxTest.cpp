#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/VbColor.h"

namespace forms {
namespace {

constexpr long kHighlight = 0xD2BDB6;
constexpr long kBackground = 0xE0E0E0;

// A shown form holding one borderless picture box of 200 x 100 pixels.
class PictureBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(400, 300);
        box_ = new PictureBox(&form_);
        box_->SetBorderStyle(0);
        box_->Move(150, 300, 3000, 1500);
        box_->SetBackColor(kBackground);
        form_.Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    }

    // What the screen shows of the box's drawing area.
    QColor shownAt(int x, int y) { return box_->grab().toImage().pixelColor(x, y); }

    Form form_;
    PictureBox* box_ = nullptr;
};

TEST_F(PictureBoxTest, FilledBoxPersistsAcrossRepaintsAndResize) {
    box_->Line(150, 150, 1500, 750, kHighlight, true, true);
    box_->Refresh();
    box_->hide();
    box_->show();
    box_->repaint();
    EXPECT_EQ(box_->Image().pixelColor(10, 10), QColor(182, 189, 210));
    EXPECT_EQ(box_->Image().pixelColor(100, 50), QColor(182, 189, 210));  // corners included
    EXPECT_EQ(box_->Image().pixelColor(101, 50), QColor(224, 224, 224));
    EXPECT_EQ(shownAt(50, 30), QColor(182, 189, 210));
    EXPECT_EQ(box_->Point(750, 450), kHighlight);

    box_->Move(150, 300, 4500, 2250);
    EXPECT_DOUBLE_EQ(box_->ScaleWidth(), 4500);
    EXPECT_EQ(box_->Image().size(), QSize(300, 150));
    EXPECT_EQ(box_->Point(750, 450), kHighlight);
    EXPECT_EQ(box_->Point(4000, 2000), kBackground);  // the new area takes BackColor
    EXPECT_EQ(box_->Point(-15, 0), -1);
}

TEST_F(PictureBoxTest, BoxOutlineFillsWithFillColourOnlyWhenSolid) {
    box_->SetFillColor(vbWhite);
    box_->Line(0, 0, 1485, 1485, vbBlack, true);
    EXPECT_EQ(box_->Point(0, 750), vbBlack);
    EXPECT_EQ(box_->Point(1485, 750), vbBlack);
    EXPECT_EQ(box_->Point(1500, 750), kBackground);
    EXPECT_EQ(box_->Point(750, 750), kBackground);  // transparent fill by default

    box_->SetFillStyle(vbFSSolid);
    box_->Line(0, 0, 1485, 1485, vbBlack, true);
    EXPECT_EQ(box_->Point(750, 750), vbWhite);
    EXPECT_EQ(box_->Point(750, 1485), vbBlack);
    EXPECT_DOUBLE_EQ(box_->CurrentX(), 1485);
    EXPECT_DOUBLE_EQ(box_->CurrentY(), 1485);

    box_->SetForeColor(RGB(255, 0, 0));
    box_->Line(0, 1200, 2985, 1200);
    EXPECT_EQ(box_->Point(0, 1200), RGB(255, 0, 0));
    EXPECT_EQ(box_->Point(2985, 1200), RGB(255, 0, 0));
}

TEST_F(PictureBoxTest, ClsAndBackColourClearTheDrawing) {
    box_->Line(0, 0, 2985, 1485, vbBlack, true, true);
    box_->SetCurrentX(300);
    box_->Cls();
    EXPECT_EQ(box_->Point(1500, 750), kBackground);
    EXPECT_DOUBLE_EQ(box_->CurrentX(), 0);
    box_->Line(0, 0, 2985, 1485, vbBlack, true, true);
    box_->SetBackColor(vbWhite);
    EXPECT_EQ(box_->Point(1500, 750), vbWhite);
}

TEST_F(PictureBoxTest, PrintMovesTheCurrentPointByTheMeasuredText) {
    box_->SetFontName(QStringLiteral("MS UI Gothic"));
    box_->SetFontSize(10);
    const QString text = QStringLiteral("商品No.123");
    const double width = box_->TextWidth(text);
    const double height = box_->TextHeight(text);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_DOUBLE_EQ(box_->TextHeight(QStringLiteral("一\r\n二")), 2 * height);
    EXPECT_DOUBLE_EQ(box_->TextWidth(QStringLiteral("あ\r\nああ")),
                     box_->TextWidth(QStringLiteral("ああ")));

    box_->SetCurrentX(300);
    box_->SetCurrentY(150);
    box_->Print(text, true);
    EXPECT_DOUBLE_EQ(box_->CurrentX(), 300 + width);
    EXPECT_DOUBLE_EQ(box_->CurrentY(), 150);
    box_->Print(QString());
    EXPECT_DOUBLE_EQ(box_->CurrentX(), 0);
    EXPECT_DOUBLE_EQ(box_->CurrentY(), 150 + height);

    // The ink lies inside the measured rectangle, in ForeColor.
    const QImage& image = box_->Image();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != QColor(224, 224, 224)) {
                ++inked;
                EXPECT_GE(x, 19);
                EXPECT_LT(x, 20 + width / 15 + 1);
                EXPECT_GE(y, 10);
                EXPECT_LT(y, 10 + height / 15);
            }
        }
    }
    EXPECT_GT(inked, 20);

    box_->SetFontBold(true);
    EXPECT_TRUE(box_->FontBold());
    EXPECT_GE(box_->TextWidth(text), width);
}

TEST_F(PictureBoxTest, PaintPictureCopiesAndAndsWithTransparentPartsLeftAlone) {
    QImage picture(4, 2, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(0, 0, QColor(255, 0, 0));
    picture.setPixelColor(1, 0, QColor(255, 255, 255));
    picture.setPixelColor(2, 0, QColor(0, 0, 0));

    box_->Line(0, 0, 300, 300, RGB(0, 255, 255), true, true);
    box_->PaintPicture(picture, 0, 0);
    EXPECT_EQ(box_->Point(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(box_->Point(15, 0), vbWhite);
    EXPECT_EQ(box_->Point(45, 0), RGB(0, 255, 255));  // transparent

    box_->Line(0, 0, 300, 300, RGB(0, 255, 255), true, true);
    box_->PaintPicture(picture, 0, 0, vbSrcAnd);
    EXPECT_EQ(box_->Point(0, 0), RGB(0, 0, 0));       // red AND cyan
    EXPECT_EQ(box_->Point(15, 0), RGB(0, 255, 255));  // white lets the surface show
    EXPECT_EQ(box_->Point(30, 0), RGB(0, 0, 0));
    EXPECT_EQ(box_->Point(45, 0), RGB(0, 255, 255));  // transparent
}

TEST_F(PictureBoxTest, PaintPictureScalesAndCutsInTwips) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, QColor(255, 0, 0));
    picture.setPixelColor(1, 0, QColor(0, 0, 255));
    box_->PaintPicture(picture, 150, 150, 300, 150, 15, 0, 15, 15);
    for (int x = 10; x < 30; ++x) {
        EXPECT_EQ(box_->Image().pixelColor(x, 10), QColor(0, 0, 255)) << x;
    }
    EXPECT_EQ(box_->Image().pixelColor(30, 10), QColor(224, 224, 224));
    EXPECT_EQ(box_->Image().pixelColor(10, 20), QColor(224, 224, 224));
}

TEST_F(PictureBoxTest, BorderSitsOutsideTheDrawingArea) {
    box_->SetBorderStyle(1);
    box_->SetAppearance(0);
    EXPECT_DOUBLE_EQ(box_->ScaleWidth(), 3000 - 30);
    box_->SetAppearance(1);
    EXPECT_DOUBLE_EQ(box_->ScaleWidth(), 3000 - 60);
    EXPECT_DOUBLE_EQ(box_->ScaleHeight(), 1500 - 60);
    EXPECT_DOUBLE_EQ(box_->Width(), 3000);
    box_->Line(0, 0, 0, 0, vbBlack, true, true);
    box_->repaint();
    EXPECT_EQ(shownAt(2, 2), QColor(0, 0, 0));  // twips (0, 0) is inside the border

    std::vector<double> at;
    auto down = box_->MouseDown.connect([&](int, int, double x, double y) { at = {x, y}; });
    QTest::mousePress(box_, Qt::LeftButton, Qt::NoModifier, QPoint(12, 7));
    EXPECT_EQ(at, (std::vector<double>{150, 75}));
}

TEST_F(PictureBoxTest, MouseEventsCarryButtonShiftAndTwipsInTheRuntimeOrder) {
    std::vector<QString> seen;
    auto record = [&](const QString& name) {
        return [&seen, name](int button, int shift, double x, double y) {
            seen.push_back(
                QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y));
        };
    };
    auto down = box_->MouseDown.connect(record(QStringLiteral("down")));
    auto up = box_->MouseUp.connect(record(QStringLiteral("up")));
    auto click = box_->Click.connect([&] { seen.push_back(QStringLiteral("click")); });
    auto dbl = box_->DblClick.connect([&] { seen.push_back(QStringLiteral("dblclick")); });

    QTest::mouseClick(box_, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 20));
    // A double click as the window system delivers it.
    QTest::mousePress(box_, Qt::RightButton, Qt::NoModifier, QPoint(1, 2));
    QTest::mouseRelease(box_, Qt::RightButton, Qt::NoModifier, QPoint(1, 2));
    QTest::mouseDClick(box_, Qt::RightButton, Qt::NoModifier, QPoint(1, 2));
    QTest::mouseRelease(box_, Qt::RightButton, Qt::NoModifier, QPoint(1, 2));
    EXPECT_EQ(seen, (std::vector<QString>{
                        QStringLiteral("down 1 1 150 300"), QStringLiteral("up 1 1 150 300"),
                        QStringLiteral("click"), QStringLiteral("down 2 0 15 30"),
                        QStringLiteral("up 2 0 15 30"), QStringLiteral("click"),
                        QStringLiteral("dblclick"), QStringLiteral("up 2 0 15 30")}));

    seen.clear();
    QTest::mousePress(box_, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(box_, Qt::LeftButton, Qt::NoModifier, QPoint(250, 10));
    EXPECT_EQ(seen.size(), 2u);  // released outside: no click

    std::vector<double> moved;
    auto move = box_->MouseMove.connect([&](int buttons, int, double x, double y) {
        moved = {static_cast<double>(buttons), x, y};
    });
    QMouseEvent hover(QEvent::MouseMove, QPointF(40, 5), box_->mapToGlobal(QPointF(40, 5)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box_, &hover);
    EXPECT_EQ(moved, (std::vector<double>{0, 600, 75}));
}

TEST_F(PictureBoxTest, KeysArriveAsVirtualKeyCodesAndCharacters) {
    std::vector<int> downs;
    std::vector<int> presses;
    std::vector<int> ups;
    auto d =
        box_->KeyDown.connect([&](int code, int shift) { downs.push_back(code * 10 + shift); });
    auto p = box_->KeyPress.connect([&](int character) { presses.push_back(character); });
    auto u = box_->KeyUp.connect([&](int code, int) { ups.push_back(code); });
    box_->SetFocus();
    ASSERT_TRUE(box_->hasFocus());

    QTest::keyClick(box_, Qt::Key_Return);
    QTest::keyClick(box_, Qt::Key_7);
    QTest::keyClick(box_, Qt::Key_PageDown);
    QTest::keyClick(box_, Qt::Key_V, Qt::ControlModifier);
    // The Ctrl key itself comes down and up around V, as on the real keyboard.
    EXPECT_EQ(downs, (std::vector<int>{130, 550, 340, 172, 862}));
    EXPECT_EQ(presses, (std::vector<int>{13, '7', 22}));
    EXPECT_EQ(ups, (std::vector<int>{13, 55, 34, 86, 17}));
}

TEST_F(PictureBoxTest, TabMovesTheFocusUnlessTheBoxWantsIt) {
    auto* other = new PictureBox(&form_);
    other->Move(0, 0, 300, 300);
    other->show();
    std::vector<int> downs;
    auto d =
        box_->KeyDown.connect([&](int code, int shift) { downs.push_back(code * 10 + shift); });
    box_->SetFocus();
    QTest::keyClick(box_, Qt::Key_Tab);
    EXPECT_TRUE(downs.empty());
    EXPECT_FALSE(box_->hasFocus());

    box_->SetWantsTab(true);
    box_->SetFocus();
    QTest::keyClick(box_, Qt::Key_Tab);
    QTest::keyClick(box_, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(downs, (std::vector<int>{90, 161, 91}));  // Shift itself, then Shift+Tab
    EXPECT_TRUE(box_->hasFocus());
}

TEST_F(PictureBoxTest, FocusEventsAndInputMethodText) {
    auto* other = new PictureBox(&form_);
    other->show();
    other->SetFocus();
    int got = 0;
    int lost = 0;
    QString typed;
    auto g = box_->GotFocus.connect([&] { ++got; });
    auto l = box_->LostFocus.connect([&] { ++lost; });
    auto t = box_->InputText.connect([&](const QString& text) { typed += text; });
    box_->SetFocus();
    box_->SetFocus();
    other->SetFocus();
    EXPECT_EQ(got, 1);
    EXPECT_EQ(lost, 1);

    // Another window taking the activation leaves the focus where it is.
    box_->SetFocus();
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    form_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    EXPECT_TRUE(box_->hasFocus());
    EXPECT_EQ(got, 2);
    EXPECT_EQ(lost, 1);

    QInputMethodEvent composing(QStringLiteral("しょうひん"), {});
    QApplication::sendEvent(box_, &composing);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("商品"));
    QApplication::sendEvent(box_, &committed);
    EXPECT_EQ(typed, QStringLiteral("商品"));
}

TEST_F(PictureBoxTest, HandlersCanBeManyAndGoAway) {
    int first = 0;
    int second = 0;
    Subscription a = box_->Click.connect([&] { ++first; });
    {
        Subscription b = box_->Click.connect([&] { ++second; });
        box_->Click();
    }
    box_->Click();
    a.disconnect();
    box_->Click();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 1);

    Subscription outlived;
    {
        PictureBox gone(&form_);
        outlived = gone.Click.connect([] {});
    }
    outlived.disconnect();  // the box has gone first: nothing happens
}

TEST_F(PictureBoxTest, WithoutAutoRedrawEveryRepaintAsksPaintToDraw) {
    int paints = 0;
    auto p = box_->Paint.connect([&] {
        ++paints;
        box_->Line(0, 0, 150, 150, vbBlack, true, true);
    });
    box_->Line(1500, 0, 2985, 1485, vbWhite, true, true);
    box_->SetAutoRedraw(false);
    box_->repaint();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(shownAt(5, 5), QColor(0, 0, 0));
    EXPECT_EQ(shownAt(150, 50), QColor(224, 224, 224));  // drawn outside Paint: gone
    const int painted = paints;
    QTest::qWait(50);
    EXPECT_LE(paints, painted + 1);  // drawing inside Paint asks for no further repaint
}

TEST_F(PictureBoxTest, HourglassPointerShowsTheWaitCursor) {
    form_.SetMousePointer(vbHourglass);
    EXPECT_EQ(form_.MousePointer(), vbHourglass);
    EXPECT_EQ(form_.cursor().shape(), Qt::WaitCursor);
    EXPECT_EQ(box_->cursor().shape(), Qt::WaitCursor);
    form_.SetMousePointer(vbDefault);
    EXPECT_EQ(form_.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace forms
