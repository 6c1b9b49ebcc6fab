#include <gtest/gtest.h>

#include "controls/ExpandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/VbColor.h"

namespace {

const long Face = forms::RGB(224, 224, 255);
constexpr long Background = 0x00C000;

class ExpandButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(300, 200);
        body_ = new forms::PictureBox(&form_);
        body_->Move(150, 150, 1500, 600);
        button_.BodyPictureBox(body_);
        button_.BackGroundColor(Background);
        button_.Caption(QStringLiteral("登録"));
        button_.Redraw();
    }

    // The pixel just inside the face's top-left corner: the face when normal, the
    // background when the face has moved down and right.
    long cornerColour() const { return body_->Point(30, 30); }

    forms::Form form_;
    forms::PictureBox* body_ = nullptr;
    ExpandButton button_;
};

TEST_F(ExpandButtonTest, EnterPressesUntilTheNextRelease) {
    EXPECT_EQ(cornerColour(), Face);
    EXPECT_EQ(body_->Point(1485, 585), forms::RGB(128, 128, 128));  // the shadow
    button_.KeyDown(forms::vbKeyReturn, 0);
    EXPECT_EQ(cornerColour(), Background);
    EXPECT_EQ(body_->Point(90, 90), Face);
    button_.KeyDown(forms::vbKeySpace, 0);
    EXPECT_EQ(cornerColour(), Background);
    button_.MouseUp(1, 0, 10, 10);
    EXPECT_EQ(cornerColour(), Face);
    button_.MouseDown(1, 0, 10, 10);
    EXPECT_EQ(cornerColour(), Background);
    button_.Redraw();
    EXPECT_EQ(cornerColour(), Face);
}

TEST_F(ExpandButtonTest, SettingsShowAtTheNextDrawing) {
    const QImage before = body_->Image();
    button_.Caption(QStringLiteral("キャンセル"));
    button_.Align(1);
    EXPECT_EQ(body_->Image(), before);
    button_.Redraw();
    EXPECT_NE(body_->Image(), before);
}

TEST_F(ExpandButtonTest, AnEmptyCaptionDrawsThePictureOnly) {
    QImage icon(10, 10, QImage::Format_RGB32);
    icon.fill(Qt::red);
    button_.Caption(QString());
    button_.IconImage(icon);
    button_.IconPosition(2);
    button_.Redraw();
    const QImage& face = body_->Image();
    int red = 0;
    int other = 0;
    for (int y = 2; y < 34; ++y) {
        for (int x = 2; x < 90; ++x) {
            const long colour = forms::vbFromColor(face.pixelColor(x, y));
            red += colour == forms::RGB(255, 0, 0) ? 1 : 0;
            other += colour != forms::RGB(255, 0, 0) && colour != Face ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 100);
    EXPECT_EQ(other, 0);
}

}  // namespace
