#include <gtest/gtest.h>

#include <QTest>

#include "controls/PaintFunc.h"
#include "core/XXPictureFunctions.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/VbColor.h"

namespace {

constexpr long Red = 0x0000FF;
constexpr long Blue = 0xFF0000;

class PaintFuncTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form_.SetDeleteOnUnload(false);
        form_.resize(500, 300);
        box_ = new forms::PictureBox(&form_);
        box_->SetBorderStyle(0);
        box_->Move(0, 0, 7200, 3600);
        box_->SetBackColor(forms::vbWhite);
    }

    forms::Form form_;
    forms::PictureBox* box_ = nullptr;
};

TEST_F(PaintFuncTest, FillBoxWithoutALineColourIsOneColour) {
    PaintFunc::FillBox(*box_, 300, 600, 900, 1500, Red, -1);
    EXPECT_EQ(box_->Point(600, 300), Red);  // the outline
    EXPECT_EQ(box_->Point(1200, 600), Red);
    EXPECT_EQ(box_->Point(2085, 1185), Red);
    EXPECT_EQ(box_->Point(585, 300), forms::vbWhite);
    PaintFunc::FillBox(*box_, 300, 3000, 900, 1500, Red, Blue);
    EXPECT_EQ(box_->Point(3000, 600), Blue);
    EXPECT_EQ(box_->Point(3600, 600), Red);
    EXPECT_EQ(box_->FillStyle(), forms::vbFSSolid);
    EXPECT_EQ(box_->FillColor(), Red);
}

TEST_F(PaintFuncTest, PaintsAPictureWithTheTopBeforeTheLeft) {
    const QImage footer = XX共通関数::LoadResourcePicture(2, vb::Variant("MENU"));
    ASSERT_TRUE(PaintFunc::PaintResourcePicture(*box_, 2, QStringLiteral("MENU"), 150, 600, 0));
    for (const QPoint pixel : {QPoint(0, 0), QPoint(200, 20), QPoint(405, 49)}) {
        EXPECT_EQ(box_->Point(600 + pixel.x() * 15, 150 + pixel.y() * 15),
                  forms::vbFromColor(footer.pixelColor(pixel)));
    }
}

TEST_F(PaintFuncTest, ModeOtherThanZeroKeepsWhatTheWhitePartsCover) {
    PaintFunc::FillBox(*box_, 0, 0, 3000, 7000, 0x40C0F0, -1);
    ASSERT_TRUE(PaintFunc::PaintResourcePicture(*box_, 10, QStringLiteral("CUSTOM"), 0, 0, 1));
    const QImage button = XX共通関数::LoadResourcePicture(10, vb::Variant("CUSTOM"));
    int white = 0;
    for (int y = 0; y < button.height(); ++y) {
        for (int x = 0; x < button.width(); ++x) {
            const QRgb source = button.pixel(x, y) & 0xFFFFFF;
            const long drawn = box_->Point(x * 15, y * 15);
            EXPECT_EQ(forms::colorFromVb(drawn).rgb() & 0xFFFFFF, source & 0xF0C040);
            white += source == 0xFFFFFF ? 1 : 0;
        }
    }
    EXPECT_GT(white, 0);
}

TEST_F(PaintFuncTest, AMissingPictureDrawsNothing) {
    const QImage before = box_->Image();
    EXPECT_FALSE(PaintFunc::PaintResourcePicture(*box_, 999, QStringLiteral("CUSTOM"), 0, 0, 0));
    EXPECT_EQ(box_->Image(), before);
}

}  // namespace
