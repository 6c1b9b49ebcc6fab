#include "ExpandButton.h"

#include <cmath>
#include <optional>

#include "RaisedFace.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/RuntimeError.h"

void ExpandButton::BodyPictureBox(forms::PictureBox* body) {
    body_ = body;
    if (!body_) {
        return;
    }
    RaisedFace::PrepareBody(*body_);
    boxHeight_ = std::round(body_->Height());
    boxWidth_ = std::round(body_->Width());
}

void ExpandButton::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = size.toInteger();
    } catch (const vb::RuntimeError&) {
    }
}

void ExpandButton::MouseDown(int, int, double, double) {
    DrawButton(true);
}

void ExpandButton::MouseUp(int, int, double, double) {
    DrawButton(false);
}

void ExpandButton::KeyDown(int keyCode, int) {
    if (keyCode == forms::vbKeyReturn) {
        DrawButton(true);
    }
}

void ExpandButton::DrawButton(bool pressed) {
    if (!body_) {
        return;
    }
    const double d = pressed ? RaisedFace::PressedOffset : 0;
    body_->SetFontName(fontName_);
    body_->SetFontSize(fontSize_);
    body_->Cls();
    RaisedFace::Draw(*body_, boxWidth_, boxHeight_, d, backColor_, forms::RGB(224, 224, 255));
    if (!icon_.isNull()) {
        const double iconWidth = forms::toTwips(icon_.width());
        const double iconHeight = forms::toTwips(icon_.height());
        std::optional<double> x;
        switch (iconPosition_) {
            case 0:
                x = 60 + d;
                break;
            case 1:
                x = boxWidth_ - iconWidth - 120 + d;
                break;
            case 2:
                x = (boxWidth_ - iconWidth) / 2 + d;
                break;
            default:
                break;
        }
        if (x) {
            body_->PaintPicture(icon_, *x, (boxHeight_ - iconHeight) / 2 - 15 + d);
        }
    }
    if (const auto x =
            RaisedFace::TextLeft(align_, body_->ScaleWidth(), body_->TextWidth(caption_), d)) {
        body_->SetCurrentX(*x);
    }
    body_->SetCurrentY((boxHeight_ - body_->TextHeight(caption_)) / 2 - 15 + d);
    body_->Print(caption_);
}
