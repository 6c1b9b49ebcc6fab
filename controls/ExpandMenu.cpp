#include "ExpandMenu.h"

#include <cmath>

#include "PaintFunc.h"
#include "core/XXCommonFunctions.h"
#include "core/XXPictureFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"

namespace {

const QString MenuType = QStringLiteral("MENU");

QImage menuPicture(int32_t id, const QString& type) {
    return XX共通関数::LoadResourcePicture(id, vb::Variant(type));
}

}  // namespace

void ExpandMenu::BaseForm(forms::Form* form) {
    subscriptions_.clear();
    form_ = form;
    if (!form_) {
        return;
    }
    subscriptions_.push_back(
        form_->MouseMove.connect([this](int, int, double x, double y) { onMouseMove(x, y); }));
    subscriptions_.push_back(
        form_->MouseDown.connect([this](int, int, double, double) { onMouseDown(); }));
    subscriptions_.push_back(
        form_->MouseUp.connect([this](int, int, double, double) { onMouseUp(); }));
    subscriptions_.push_back(form_->Click.connect([this] { onClick(); }));

    form_->SetCaption(forms::App::Title());
    form_->SetAutoRedraw(true);
    XX共通関数::SetFormClientSize(*form_, 800, 600);
    XX共通関数::CenterForm(*form_);
    form_->SetBackColor(forms::vbWhite);
    PaintFunc::PaintResourcePicture(*form_, 1, MenuType, 0, 0, 0);
    footer_ = {};
    PaintFooter();
    // The frame arrives after the form is shown and takes its room from the inside: the
    // footer follows the bottom.
    subscriptions_.push_back(form_->Resize.connect([this] { PaintFooter(); }));
}

// The footer's corner at the form's outer size, less the title bar and one frame edge: the
// bottom right of the client area. A form not shown yet has no frame, so its outer size is
// its client size. The title bar is the form's own: while it is being shown, another
// window may still be the active one, or none. Where it was drawn before is blanked first.
void ExpandMenu::PaintFooter() {
    const QImage footer = menuPicture(2, MenuType);
    const int caption = form_->geometry().top() - form_->frameGeometry().top();
    const MenuGeometry::Rect at{
        form_->Height() - forms::toTwips(footer.height()) - forms::toTwips(caption),
        form_->Width() - forms::toTwips(footer.width()), forms::toTwips(footer.height()),
        forms::toTwips(footer.width())};
    if (at.Top == footer_.Top && at.Left == footer_.Left && footer_.Width > 0) {
        return;
    }
    if (footer_.Width > 0) {
        PaintFunc::FillBox(*form_, static_cast<int32_t>(std::lround(footer_.Top)),
                           static_cast<int32_t>(std::lround(footer_.Left)),
                           static_cast<int32_t>(std::lround(footer_.Height)),
                           static_cast<int32_t>(std::lround(footer_.Width)), forms::vbWhite, -1);
    }
    footer_ = at;
    form_->PaintPicture(footer, at.Left, at.Top);
}

void ExpandMenu::Title(const QString& text) {
    if (form_) {
        form_->SetCaption(forms::App::Title() + QStringLiteral(" - ") + text);
    }
}

void ExpandMenu::TitleImage(int32_t id) {
    if (form_ && titleId_ >= 0) {
        PaintFunc::FillBox(*form_, static_cast<int32_t>(std::lround(title_.Top)),
                           static_cast<int32_t>(std::lround(title_.Left)),
                           static_cast<int32_t>(std::lround(title_.Height)),
                           static_cast<int32_t>(std::lround(title_.Width)), forms::vbWhite, -1);
    }
    titleId_ = id;
    const QImage picture = menuPicture(id, QStringLiteral("TITLE"));
    title_ =
        MenuGeometry::TitleRect(forms::toTwips(picture.height()), forms::toTwips(picture.width()));
    if (form_) {
        form_->PaintPicture(picture, title_.Left, title_.Top);
    }
}

void ExpandMenu::Button(int16_t index, int32_t pictureId) {
    if (index < 0 || index >= MenuGeometry::ButtonCount) {
        return;
    }
    buttons_[index].PictureId = pictureId;
    DrawMenuButton(index, MenuGeometry::Normal);
    buttons_[index].Enabled = pictureId >= 0;
}

void ExpandMenu::DrawMenuButton(int index, int state) {
    if (!form_ || index < 0 || index >= MenuGeometry::ButtonCount) {
        return;
    }
    MenuButton& button = buttons_[index];
    const double top = MenuGeometry::ButtonTop(index);
    const double left = MenuGeometry::ButtonLeft(index);
    if (button.DrawnHeight > 0 && button.DrawnWidth > 0) {
        PaintFunc::FillBox(*form_, static_cast<int32_t>(top), static_cast<int32_t>(left),
                           static_cast<int32_t>(button.DrawnHeight),
                           static_cast<int32_t>(button.DrawnWidth), forms::vbWhite, -1);
        button.DrawnHeight = 0;
        button.DrawnWidth = 0;
    }
    if (button.PictureId < 0) {
        return;
    }
    const QImage frame = menuPicture(MenuGeometry::FrameId(index, state), MenuType);
    if (!frame.isNull()) {
        button.DrawnHeight = forms::toTwips(frame.height());
        button.DrawnWidth = forms::toTwips(frame.width());
        form_->PaintPicture(frame, std::round(left), std::round(top));
    }
    const QImage content = menuPicture(button.PictureId, QStringLiteral("CUSTOM"));
    const double offset = MenuGeometry::ContentOffset(state);
    form_->PaintPicture(
        content, left + (MenuGeometry::BoxWidth - forms::toTwips(content.width())) / 2 + offset,
        top + (MenuGeometry::BoxHeight - forms::toTwips(content.height())) / 2 + offset,
        forms::vbSrcAnd);
}

bool ExpandMenu::hoveredEnabled() const {
    return hovered_ >= 0 && buttons_[hovered_].Enabled;
}

void ExpandMenu::onMouseMove(double x, double y) {
    for (int index = 0; index < MenuGeometry::ButtonCount; ++index) {
        if (!buttons_[index].Enabled || !MenuGeometry::Hits(index, x, y)) {
            continue;
        }
        if (index != hovered_) {
            if (hovered_ >= 0) {
                DrawMenuButton(hovered_, MenuGeometry::Normal);
            }
            DrawMenuButton(index, MenuGeometry::Hover);
            hovered_ = static_cast<int16_t>(index);
        }
        return;
    }
    if (hovered_ >= 0) {
        DrawMenuButton(hovered_, MenuGeometry::Normal);
        hovered_ = -1;
    }
}

void ExpandMenu::onMouseDown() {
    if (hoveredEnabled()) {
        DrawMenuButton(hovered_, MenuGeometry::Pressed);
    }
}

void ExpandMenu::onMouseUp() {
    if (hoveredEnabled()) {
        DrawMenuButton(hovered_, MenuGeometry::Hover);
    }
}

void ExpandMenu::onClick() {
    if (!form_ || form_->MousePointer() == forms::vbHourglass || !hoveredEnabled()) {
        return;
    }
    // The handlers may unload the form and release this object: afterwards only the
    // guarded form is used.
    const QPointer<forms::Form> form = form_;
    form->SetMousePointer(forms::vbHourglass);
    ButtonClick(hovered_);
    if (form) {
        form->SetMousePointer(forms::vbDefault);
    }
}
