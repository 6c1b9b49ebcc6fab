#include "ExpandCombo.h"

#include <cmath>

#include "RaisedFace.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/RuntimeError.h"

namespace {

constexpr long FaceColor = 0xE0E0E0;
constexpr long PanelColor = 0xF0F0F0;
constexpr long SeparatorColor = 0x909090;

}  // namespace

void ExpandCombo::BodyPictureBox(forms::PictureBox* body) {
    body_ = body;
    if (!body_) {
        return;
    }
    RaisedFace::PrepareBody(*body_);
    model_.SetBoxHeight(static_cast<int32_t>(std::lround(body_->Height())));
    boxWidth_ = static_cast<int32_t>(std::lround(body_->Width()));
}

void ExpandCombo::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = size.toInteger();
    } catch (const vb::RuntimeError&) {
    }
}

void ExpandCombo::ListIndex(int16_t index) {
    model_.SetListIndex(index);
    redrawClosed();
}

void ExpandCombo::AddItem(const vb::Variant& value) {
    model_.AddItem(value);
    redrawClosed();
}

void ExpandCombo::MouseDown(int, int, double, double) {
    redrawOpen();
}

void ExpandCombo::MouseUp(int, int, double, double y) {
    if (model_.InList(y)) {
        model_.Choose();
        redrawClosed();
    }
}

void ExpandCombo::MouseMove(int, int, double x, double y) {
    if (x == lastX_ && y == lastY_) {
        return;
    }
    lastX_ = x;
    lastY_ = y;
    if (y > model_.BoxHeight() + DropDownModel::ListGap && model_.HighlightAt(std::round(y))) {
        DrawList(1);
    }
}

void ExpandCombo::KeyDown(int keyCode, int) {
    switch (keyCode) {
        case forms::vbKeyReturn:
            model_.Choose();
            redrawClosed();
            break;
        case forms::vbKeyEscape:
            redrawClosed();
            break;
        case forms::vbKeyUp:
            model_.MoveHighlight(-1);
            redrawOpen();
            break;
        case forms::vbKeyDown:
            model_.MoveHighlight(1);
            redrawOpen();
            break;
        default:
            break;
    }
}

bool ExpandCombo::IsOpen() const {
    return body_ && model_.Count() > 0 && body_->Height() > model_.BoxHeight();
}

void ExpandCombo::redrawOpen() {
    DrawBox(1);
    DrawList(1);
}

void ExpandCombo::redrawClosed() {
    DrawBox(0);
    DrawList(0);
}

void ExpandCombo::DrawBox(int state) {
    if (!body_) {
        return;
    }
    const double width = boxWidth_;
    const double height = model_.BoxHeight();
    const double d = state == 1 ? RaisedFace::PressedOffset : 0;
    body_->SetFontName(fontName_);
    body_->SetFontSize(fontSize_);
    body_->Cls();
    RaisedFace::Draw(*body_, width, height, d, backColor_, FaceColor);
    if (!icon_.isNull() && (iconPosition_ == 0 || iconPosition_ == 1)) {
        body_->PaintPicture(icon_, d, d);
    }
    if (model_.Chosen().Index < 0) {
        return;
    }
    const QString text = DropDownModel::ItemText(model_.Chosen().Value);
    if (const auto x =
            RaisedFace::TextLeft(align_, body_->ScaleWidth(), body_->TextWidth(text), d)) {
        body_->SetCurrentX(*x);
    }
    body_->SetCurrentY((height - body_->TextHeight(text)) / 2 - 15 + d);
    body_->Print(text);
}

void ExpandCombo::DrawList(int state) {
    if (!body_ || model_.Count() == 0) {
        return;
    }
    const double boxHeight = model_.BoxHeight();
    if (state == 0) {
        body_->SetHeight(boxHeight);
        return;
    }
    body_->SetHeight(model_.OpenHeight());
    const double width = body_->ScaleWidth();
    const double height = body_->ScaleHeight();
    body_->Line(0, boxHeight, width, height - 60, backColor_, true, true);
    body_->SetFillColor(PanelColor);
    body_->Line(45, boxHeight + 30, width - 15, height - 60, forms::vbBlack, true);
    body_->Line(45, boxHeight + 30, boxWidth_ - 15, boxHeight + 30, forms::vbWhite);
    body_->Line(45, boxHeight + 30, 45, height - 75, forms::vbWhite);
    for (int16_t index = 0; index + 1 < model_.Count(); ++index) {
        const double bottom = model_.Item(index).Bottom;
        body_->Line(135, bottom, boxWidth_ - 115, bottom, SeparatorColor);
    }
    const ComboItemState& mark = model_.Highlighted();
    if (mark.Index >= 0) {
        body_->SetFillColor(forms::RGB(182, 189, 210));
        body_->Line(75, mark.Top, boxWidth_ - 45, mark.Bottom, SeparatorColor, true);
    }
    for (int16_t index = 0; index < model_.Count(); ++index) {
        const ComboItem& item = model_.Item(index);
        const QString text = DropDownModel::ItemText(item.Value);
        if (const auto x = RaisedFace::TextLeft(align_, width, body_->TextWidth(text), 0)) {
            body_->SetCurrentX(*x);
        }
        body_->SetCurrentY(item.Top + (item.Height - body_->TextHeight(text)) / 2);
        body_->Print(text);
    }
}
