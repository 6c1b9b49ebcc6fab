#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>
#include <memory>
#include <vector>

#include "controls/ExpandMenu.h"
#include "controls/PaintFunc.h"
#include "core/XXCommonFunctions.h"
#include "core/XXPictureFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/Form.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"

namespace {

QImage picture(int32_t id, const char* type) {
    return XX共通関数::LoadResourcePicture(id, vb::Variant(type));
}

// True when the drawing holds the image with its top-left corner at the pixel.
bool shows(const QImage& drawing, const QImage& image, QPoint at) {
    if (image.isNull()) {
        return false;
    }
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((drawing.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) !=
                (image.pixel(x, y) & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

// The frame with the button picture ANDed onto it, as a button is drawn.
QImage button(int index, int32_t pictureId, int state) {
    QImage frame =
        picture(MenuGeometry::FrameId(index, state), "MENU").convertToFormat(QImage::Format_RGB32);
    const QImage content = picture(pictureId, "CUSTOM");
    const double left = MenuGeometry::ButtonLeft(index);
    const double top = MenuGeometry::ButtonTop(index);
    const double offset = MenuGeometry::ContentOffset(state);
    const int x = forms::toPixels(left + (2130 - content.width() * 15) / 2.0 + offset) -
                  forms::toPixels(left);
    const int y =
        forms::toPixels(top + (1980 - content.height() * 15) / 2.0 + offset) - forms::toPixels(top);
    for (int cy = 0; cy < content.height(); ++cy) {
        for (int cx = 0; cx < content.width(); ++cx) {
            if (x + cx < frame.width() && y + cy < frame.height()) {
                frame.setPixel(x + cx, y + cy, frame.pixel(x + cx, y + cy) & content.pixel(cx, cy));
            }
        }
    }
    return frame;
}

QPoint buttonPixel(int index) {
    return {forms::toPixels(MenuGeometry::ButtonLeft(index)),
            forms::toPixels(MenuGeometry::ButtonTop(index))};
}

bool allWhite(const QImage& drawing, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((drawing.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                return false;
            }
        }
    }
    return true;
}

class ExpandMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        menu_.BaseForm(&form_);
        clicks_ = menu_.ButtonClick.connect([this](int16_t index) {
            clicked_.push_back(index);
            pointerDuringClick_ = form_.MousePointer();
        });
    }

    // The pointer moved to a point of a button, then a click there.
    void clickAt(double x, double y) {
        form_.MouseMove(0, 0, x, y);
        form_.MouseDown(1, 0, x, y);
        form_.MouseUp(1, 0, x, y);
        form_.Click();
    }

    forms::Form form_;
    ExpandMenu menu_;
    forms::Subscription clicks_;
    std::vector<int16_t> clicked_;
    int pointerDuringClick_ = -1;
};

TEST_F(ExpandMenuTest, PaintsTheEmptyPageOnTheForm) {
    EXPECT_EQ(form_.Caption(), forms::App::Title());
    EXPECT_DOUBLE_EQ(form_.ScaleWidth(), 12000);
    EXPECT_DOUBLE_EQ(form_.ScaleHeight(), 9000);
    EXPECT_EQ(form_.BackColor(), forms::vbWhite);
    const QImage& page = form_.Image();
    EXPECT_TRUE(shows(page, picture(1, "MENU").copy(0, 0, 800, 66), QPoint(0, 0)));
    EXPECT_TRUE(shows(page, picture(2, "MENU"), QPoint(800 - 406, 600 - 50)));
    EXPECT_TRUE(allWhite(page, QRect(0, 66, 800, 480)));
    EXPECT_EQ(menu_.TitleImage(), -1);
}

TEST_F(ExpandMenuTest, TheFooterStandsAboveTheTitleBarAndFrameOfAShownForm) {
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    const int caption = form_.geometry().top() - form_.frameGeometry().top();
    EXPECT_EQ(XX共通関数::GetCaptionHeightTwips(), caption * 15);
    EXPECT_GT(caption, 0);
    menu_.BaseForm(&form_);
    EXPECT_DOUBLE_EQ(form_.Width(), 12000);
    EXPECT_DOUBLE_EQ(form_.Height(), 9000);
    const QImage footer = picture(2, "MENU");
    const QPoint corner(800 - footer.width(), 600 - footer.height() - caption);
    const QImage& page = form_.Image();
    EXPECT_TRUE(shows(page,
                      footer.copy(0, 0, page.width() - corner.x(),
                                  std::min(footer.height(), page.height() - corner.y())),
                      corner));
    form_.Hide();
}

TEST_F(ExpandMenuTest, AMenuPaintedBeforeItIsShownMovesItsFooterWhenTheFrameTakesItsRoom) {
    // As the program starts: the page is painted, then shown, and the window manager's
    // frame takes its room from the inside.
    const QImage footer = picture(2, "MENU");
    form_.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
    ASSERT_GT(form_.frameGeometry().height(), form_.height());
    const int caption = form_.geometry().top() - form_.frameGeometry().top();
    const QImage& page = form_.Image();
    ASSERT_EQ(page.height(), 600 - (form_.frameGeometry().height() - form_.height()));
    const QPoint corner(800 - footer.width(), 600 - footer.height() - caption);
    EXPECT_TRUE(shows(page,
                      footer.copy(0, 0, page.width() - corner.x(),
                                  std::min(footer.height(), page.height() - corner.y())),
                      corner));
    form_.Hide();
}

TEST_F(ExpandMenuTest, AFormBuiltWhileAnotherWindowIsActiveHasItsFooterInTheCorner) {
    // As when a screen goes back to the menu: the new menu form is painted, not yet
    // shown, while the screen still has the focus.
    forms::Form screen;
    screen.SetDeleteOnUnload(false);
    screen.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    ASSERT_GT(XX共通関数::GetCaptionHeightTwips(), 0);
    forms::Form menuForm;
    menuForm.SetDeleteOnUnload(false);
    ExpandMenu menu;
    menu.BaseForm(&menuForm);
    const QImage footer = picture(2, "MENU");
    const QImage& page = menuForm.Image();
    EXPECT_TRUE(shows(page, footer,
                      QPoint(page.width() - footer.width(), page.height() - footer.height())));
    screen.Hide();
}

TEST_F(ExpandMenuTest, DrawsButtonsInTheirFrames) {
    menu_.Button(0, 10);
    menu_.Button(6, 71);
    menu_.Button(11, 80);
    const QImage& page = form_.Image();
    EXPECT_TRUE(shows(page, button(0, 10, MenuGeometry::Normal), buttonPixel(0)));
    EXPECT_TRUE(shows(page, button(6, 71, MenuGeometry::Normal), buttonPixel(6)));
    EXPECT_TRUE(shows(page, button(11, 80, MenuGeometry::Normal), buttonPixel(11)));
    EXPECT_TRUE(allWhite(page, QRect(buttonPixel(1), QSize(148, 139))));
}

TEST_F(ExpandMenuTest, FollowsThePointerWithHoverAndPressedPictures) {
    menu_.Button(0, 11);
    menu_.Button(1, 21);
    form_.MouseMove(0, 0, 900 + 2130, 1200 + 1980);  // the corner of button 0
    EXPECT_TRUE(shows(form_.Image(), button(0, 11, MenuGeometry::Hover), buttonPixel(0)));
    form_.MouseMove(1, 0, 3600, 1200);
    EXPECT_TRUE(shows(form_.Image(), button(0, 11, MenuGeometry::Normal), buttonPixel(0)));
    EXPECT_TRUE(shows(form_.Image(), button(1, 21, MenuGeometry::Hover), buttonPixel(1)));
    form_.MouseDown(1, 0, 3600, 1200);
    EXPECT_TRUE(shows(form_.Image(), button(1, 21, MenuGeometry::Pressed), buttonPixel(1)));
    form_.MouseUp(1, 0, 3600, 1200);
    EXPECT_TRUE(shows(form_.Image(), button(1, 21, MenuGeometry::Hover), buttonPixel(1)));
    form_.MouseMove(0, 0, 3300, 1200);  // the gap between the columns
    EXPECT_TRUE(shows(form_.Image(), button(1, 21, MenuGeometry::Normal), buttonPixel(1)));
}

TEST_F(ExpandMenuTest, ReportsClicksUnderTheHourglass) {
    menu_.Button(4, 50);
    menu_.Button(11, 80);
    clickAt(1000, 3500);
    clickAt(9100, 5700);
    EXPECT_EQ(clicked_, (std::vector<int16_t>{4, 11}));
    EXPECT_EQ(pointerDuringClick_, forms::vbHourglass);
    EXPECT_EQ(form_.MousePointer(), forms::vbDefault);
}

TEST_F(ExpandMenuTest, IgnoresClicksWhileBusyAndOffTheButtons) {
    menu_.Button(0, 10);
    form_.SetMousePointer(forms::vbHourglass);
    clickAt(1000, 1300);
    EXPECT_TRUE(clicked_.empty());
    form_.SetMousePointer(forms::vbDefault);
    clickAt(3300, 1300);  // no button there
    clickAt(3700, 1300);  // button 1 has no picture
    EXPECT_TRUE(clicked_.empty());
    clickAt(1000, 1300);
    EXPECT_EQ(clicked_, (std::vector<int16_t>{0}));
}

TEST_F(ExpandMenuTest, MinusOneRemovesAButton) {
    menu_.Button(2, 30);
    form_.MouseMove(0, 0, 6400, 1300);
    menu_.Button(2, -1);
    EXPECT_TRUE(allWhite(form_.Image(), QRect(buttonPixel(2), QSize(148, 139))));
    form_.MouseDown(1, 0, 6400, 1300);
    form_.Click();
    form_.MouseMove(0, 0, 6500, 1400);
    EXPECT_TRUE(allWhite(form_.Image(), QRect(buttonPixel(2), QSize(148, 139))));
    EXPECT_TRUE(clicked_.empty());
    menu_.Button(12, 10);  // outside the twelve buttons: ignored
    menu_.Button(-1, 10);
}

TEST_F(ExpandMenuTest, BlanksThePreviousTitleOnly) {
    PaintFunc::FillBox(form_, 120, 420, 750, 5880, 0x0000FF, -1);
    menu_.TitleImage(2);
    const QImage title2 = picture(2, "TITLE");
    const MenuGeometry::Rect first =
        MenuGeometry::TitleRect(title2.height() * 15, title2.width() * 15);
    EXPECT_TRUE(shows(form_.Image(), title2,
                      QPoint(forms::toPixels(first.Left), forms::toPixels(first.Top))));
    EXPECT_EQ(form_.Point(450, 150), 0x0000FF);  // the first title blanks nothing
    menu_.TitleImage(1);
    EXPECT_EQ(menu_.TitleImage(), 1);
    const QImage title1 = picture(1, "TITLE");
    const MenuGeometry::Rect second =
        MenuGeometry::TitleRect(title1.height() * 15, title1.width() * 15);
    EXPECT_TRUE(shows(form_.Image(), title1,
                      QPoint(forms::toPixels(second.Left), forms::toPixels(second.Top))));
    EXPECT_EQ(form_.Point(first.Left + 15, first.Top + 15), forms::vbWhite);
    EXPECT_EQ(form_.Point(450, 150), 0x0000FF);
}

TEST_F(ExpandMenuTest, SetsTheCaptionFromTheTitle) {
    menu_.Title(QStringLiteral("メンテナンスメニュー"));
    EXPECT_EQ(form_.Caption(), forms::App::Title() + QStringLiteral(" - メンテナンスメニュー"));
}

TEST_F(ExpandMenuTest, AMissingPictureDrawsNothing) {
    const QImage before = form_.Image();
    menu_.TitleImage(99);
    EXPECT_EQ(form_.Image(), before);
    menu_.Button(3, 999);
    EXPECT_TRUE(shows(form_.Image(), picture(13, "MENU"), buttonPixel(3)));  // the frame alone
    menu_.TitleImage(1);
    const MenuGeometry::Rect title = MenuGeometry::TitleRect(27 * 15, 100 * 15);
    EXPECT_TRUE(shows(form_.Image(), picture(1, "TITLE"),
                      QPoint(forms::toPixels(title.Left), forms::toPixels(title.Top))));
}

TEST(ExpandMenuUnloadTest, AHandlerMayUnloadTheFormAndReleaseTheMenu) {
    QPointer<forms::Form> form = new forms::Form;
    auto menu = std::make_unique<ExpandMenu>();
    menu->BaseForm(form);
    menu->Button(0, 10);
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    int clicks = 0;
    forms::Subscription handler = menu->ButtonClick.connect([&](int16_t) {
        ++clicks;
        form->Unload();
        menu.reset();
    });
    form->MouseMove(0, 0, 1000, 1300);
    QTest::mouseClick(form, Qt::LeftButton, Qt::NoModifier, QPoint(70, 90));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(menu);
    ASSERT_TRUE(form);  // released once the event has returned
    EXPECT_EQ(form->MousePointer(), forms::vbDefault);
    EXPECT_FALSE(form->Visible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(form);
}

TEST(ExpandMenuPageTest, SettingTheFormAgainStartsANewPage) {
    forms::Form form;
    form.SetDeleteOnUnload(false);
    ExpandMenu menu;
    menu.BaseForm(&form);
    menu.TitleImage(1);
    menu.Button(0, 10);
    menu.BaseForm(&form);
    EXPECT_TRUE(allWhite(form.Image(), QRect(buttonPixel(0), QSize(148, 139))));
    EXPECT_EQ(menu.TitleImage(), 1);
    menu.Button(0, 91);
    EXPECT_TRUE(shows(form.Image(), button(0, 91, MenuGeometry::Normal), buttonPixel(0)));
}

}  // namespace
