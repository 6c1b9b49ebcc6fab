#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "controls/ExpandTab.h"
#include "controls/TabLayout.h"
#include "platform/forms/Form.h"

namespace {

TabLayout pageBar() {
    TabLayout tabs;
    tabs.SetCount(5);
    const double widths[] = {450, 450, 1500, 450, 450};
    for (int i = 0; i < 5; ++i) {
        tabs.SetWidth(i, widths[i]);
    }
    tabs.At(2).Locked = true;
    return tabs;
}

TEST(TabLayoutTest, HitTestsWithinTheTabsMargins) {
    const TabLayout tabs = pageBar();
    EXPECT_DOUBLE_EQ(tabs.TotalWidth(), 3300);
    EXPECT_EQ(tabs.HitTest(450 + 30, 240, 480), 1);
    EXPECT_EQ(tabs.HitTest(450 + 29, 240, 480), -1);  // the 30 twips at the left edge
    EXPECT_EQ(tabs.HitTest(900 - 60, 240, 480), 1);
    EXPECT_EQ(tabs.HitTest(900 - 59, 240, 480), -1);  // the 60 twips at the right edge
    EXPECT_EQ(tabs.HitTest(1600, 240, 480), -1);      // locked
    EXPECT_EQ(tabs.HitTest(3000, 29, 480), -1);
    EXPECT_EQ(tabs.HitTest(3000, 421, 480), -1);
    EXPECT_EQ(tabs.HitTest(3000, 420, 480), 4);
}

TEST(TabLayoutTest, CountKeepsTheFirstTabs) {
    TabLayout tabs = pageBar();
    tabs.SetCount(2);
    tabs.SetWidth(3, 100);  // beyond the count: ignored
    tabs.SetCount(4);
    EXPECT_DOUBLE_EQ(tabs.At(1).Width, 450);
    EXPECT_DOUBLE_EQ(tabs.At(3).Width, 900);
    EXPECT_DOUBLE_EQ(tabs.At(3).Left, 1800);
    EXPECT_EQ(tabs.At(3).Align, 2);
}

class ExpandTabTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(400, 200);
        box_ = new forms::PictureBox(&form_);
        box_->Move(150, 150, 3315, 555);
        form_.Show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
        tab_.BodyPictureBox(box_);
        tab_.Count(5);
        const double widths[] = {450, 450, 1500, 450, 450};
        const int16_t types[] = {3, 1, 0, 2, 4};
        for (int16_t i = 0; i < 5; ++i) {
            tab_.TabsWidth(i, widths[i]);
            tab_.TabsType(i, types[i]);
        }
        tab_.TabsLocked(2, true);
        tab_.Value(2, "P. 001/003");
        tab_.Redraw();
        clicks_ = tab_.Click.connect([this](int16_t index) { clicked_.push_back(index); });
    }

    static QPoint point(double x, double y) {
        return {static_cast<int>(x / 15), static_cast<int>(y / 15)};
    }

    void moveTo(double x, double y) {
        QMouseEvent move(QEvent::MouseMove, point(x, y), box_->mapToGlobal(point(x, y)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box_, &move);
    }

    forms::Form form_;
    forms::PictureBox* box_ = nullptr;
    ExpandTab tab_;
    std::vector<int16_t> clicked_;
    forms::Subscription clicks_;
};

TEST_F(ExpandTabTest, TheStripTakesItsSize) {
    EXPECT_DOUBLE_EQ(box_->Width(), 3300);
    EXPECT_DOUBLE_EQ(box_->Height(), 480);
    EXPECT_EQ(box_->BorderStyle(), 0);
}

TEST_F(ExpandTabTest, APressIsHitTestedWhereItHappens) {
    QTest::mouseClick(box_, Qt::LeftButton, Qt::NoModifier, point(2600, 240));
    EXPECT_EQ(clicked_, (std::vector<int16_t>{3}));
    EXPECT_EQ(tab_.Index(), 3);
    EXPECT_EQ(box_->Point(2400 + 60, 100), 0xB59285);  // drawn pressed
    QTest::mouseClick(box_, Qt::LeftButton, Qt::NoModifier, point(200, 240));
    EXPECT_EQ(clicked_, (std::vector<int16_t>{3, 0}));
    EXPECT_EQ(box_->Point(2400 + 60, 100), 0xE0E0E0);  // the earlier tab back to plain
}

TEST_F(ExpandTabTest, LockedTabsAndEdgesRaiseNothing) {
    QTest::mouseClick(box_, Qt::LeftButton, Qt::NoModifier, point(1600, 240));
    QTest::mouseClick(box_, Qt::LeftButton, Qt::NoModifier, point(450 + 15, 240));
    QTest::mouseClick(box_, Qt::LeftButton, Qt::NoModifier, point(900 - 30, 240));
    EXPECT_TRUE(clicked_.empty());
    EXPECT_EQ(tab_.Index(), -1);
}

TEST_F(ExpandTabTest, HoveringPaintsABoxExceptOnTheCaption) {
    moveTo(675, 240);
    EXPECT_EQ(box_->Point(450 + 60, 100), 0xD2BDB6);
    moveTo(1600, 240);
    EXPECT_EQ(box_->Point(450 + 60, 100), 0xE0E0E0);
    EXPECT_EQ(box_->Point(900 + 60, 100), 0xE0E0E0);
}

}  // namespace
