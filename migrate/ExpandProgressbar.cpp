#include "ExpandProgressbar.h"

#include <QCoreApplication>
#include <algorithm>

#include "ConvertPictures.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/VbColor.h"
#include "setup/WizardPaint.h"

namespace {

const QString kType = QStringLiteral("PROGRESS");
constexpr double kBoxHeight = 1560;
constexpr double kBoxWidth = 4680;
// The steps that the empty gauge's frame holds.
constexpr int kGaugeSteps = 10;

void paint(forms::PictureBox& surface, int32_t id, double top, double left) {
    const QImage picture = ConvertPictures::Picture(kType, id);
    if (!picture.isNull()) {
        surface.PaintPicture(picture, left, top);
    }
}

}  // namespace

ExpandProgressbar::~ExpandProgressbar() {
    if (surface_) {
        surface_->SetVisible(false);
    }
}

void ExpandProgressbar::Show(forms::PictureBox& surface, forms::Form& owner) {
    surface_ = &surface;
    surface.SetAutoRedraw(true);
    surface.SetAppearance(0);
    surface.SetBorderStyle(1);
    surface.SetBackColor(0xEFEFEF);
    surface.SetHeight(kBoxHeight);
    surface.SetWidth(kBoxWidth);
    surface.Move((owner.ScaleWidth() - kBoxWidth) / 2, (owner.ScaleHeight() - kBoxHeight) / 2);
    surface.ZOrder(0);
    surface.Cls();
    paint(surface, 1, 690, 480);
    PaintFunc::DrawTextLines(surface, message_, 240, 930, QStringLiteral("MS UI Gothic"), 9, false,
                             forms::vbButtonText);
    paint(surface, iconImage_, 120, 360);
    surface.SetVisible(true);
    QCoreApplication::processEvents();
}

void ExpandProgressbar::Value(int16_t n) {
    if (!surface_) {
        return;
    }
    paint(*surface_, 1, 690, 480);
    const QImage step = ConvertPictures::Picture(kType, gaugeImage_);
    const double width = step.width() * 15.0;
    for (int k = 0; k < std::min<int>(n, kGaugeSteps) && !step.isNull(); ++k) {
        surface_->PaintPicture(step, 540 + width * k, 735);
    }
    QCoreApplication::processEvents();
}
