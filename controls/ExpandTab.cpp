#include "ExpandTab.h"

#include "platform/runtime/RuntimeError.h"

namespace {

constexpr long Black = 0x000000;
constexpr long White = 0xFFFFFF;
constexpr long Grey = 0x808080;
constexpr long HoverFill = 0xD2BDB6;
constexpr long PressedFill = 0xB59285;
constexpr long BoxLine = 0x6A2404;
constexpr double TriangleHeight = 160;
constexpr double TriangleWidth = 90;

}  // namespace

void ExpandTab::BodyPictureBox(forms::PictureBox* body) {
    subscriptions_.clear();
    body_ = body;
    if (!body_) {
        return;
    }
    body_->SetAutoRedraw(true);
    body_->SetBorderStyle(0);
    body_->SetAppearance(0);
    body_->setFocusPolicy(Qt::NoFocus);
    subscriptions_.push_back(
        body_->MouseDown.connect([this](int, int, double x, double y) { onMouseDown(x, y); }));
    subscriptions_.push_back(
        body_->MouseMove.connect([this](int, int, double x, double y) { onMouseMove(x, y); }));
    subscriptions_.push_back(body_->Click.connect([this] { onClick(); }));
    subscriptions_.push_back(body_->DblClick.connect([this] { onClick(); }));
}

void ExpandTab::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = size.toInteger();
    } catch (const vb::RuntimeError&) {
    }
}

void ExpandTab::Count(int16_t count) {
    if (count == Count()) {
        return;
    }
    layout_.SetCount(count);
    hover_ = layout_.HasTab(hover_) ? hover_ : -1;
    index_ = layout_.HasTab(index_) ? index_ : -1;
}

void ExpandTab::TabsType(int16_t index, int16_t type) {
    if (layout_.HasTab(index)) {
        layout_.At(index).Type = type;
    }
}

void ExpandTab::TabsAlign(int16_t index, int16_t align) {
    if (layout_.HasTab(index)) {
        layout_.At(index).Align = align;
    }
}

void ExpandTab::Value(int16_t index, const QString& caption) {
    if (layout_.HasTab(index)) {
        layout_.At(index).Caption = caption;
    }
}

void ExpandTab::TabsLocked(int16_t index, bool locked) {
    if (layout_.HasTab(index)) {
        layout_.At(index).Locked = locked;
    }
}

void ExpandTab::Redraw() {
    if (!body_) {
        return;
    }
    const double width = layout_.TotalWidth();
    const double height = StripHeight;
    body_->SetHeight(height);
    body_->SetWidth(width);
    body_->SetFontName(fontName_);
    body_->SetFontSize(fontSize_);
    body_->SetBackColor(backColor_);
    if (style_ == 0) {
        body_->Line(width - 15, 15, width - 15, height, Black);
        body_->Line(0, height - 15, width, height - 15, Black);
        body_->Line(0, 0, 0, height, White);
        body_->Line(0, 15, width, 15, White);
    } else {
        body_->Line(0, 15, width, 15, Black);
    }
    for (int i = 0; i < layout_.Count(); ++i) {
        if (style_ != 0) {
            drawPlain(i);
        }
        drawFace(i);
        const double left = layout_.At(i).Left;
        body_->Line(left - 15, 60, left - 15, height - 45, Grey);
    }
}

void ExpandTab::onMouseDown(double x, double y) {
    if (!body_) {
        return;
    }
    onMouseMove(x, y);
    if (index_ >= 0 && hover_ >= 0) {
        drawPlain(index_);
        drawFace(index_);
    }
    if (hover_ >= 0) {
        drawPressed(hover_);
        drawFace(hover_);
        index_ = hover_;
    }
}

void ExpandTab::onMouseMove(double x, double y) {
    if (!body_) {
        return;
    }
    if (style_ != 0) {
        hover_ = static_cast<int16_t>(layout_.HitTest(x, y, StripHeight));
        return;
    }
    if (hover_ >= 0) {
        drawPlain(hover_);
        drawFace(hover_);
    }
    hover_ = static_cast<int16_t>(layout_.HitTest(x, y, StripHeight));
    if (hover_ >= 0) {
        drawHover(hover_);
        drawFace(hover_);
    }
}

void ExpandTab::onClick() {
    if (hover_ >= 0) {
        Click(hover_);
    }
}

void ExpandTab::drawFace(int tab) {
    const TabLayout::Tab& face = layout_.At(tab);
    const double height = StripHeight;
    const double top = (height - TriangleHeight) / 2 - 15;
    switch (face.Type) {
        case 0: {
            const double textWidth = body_->TextWidth(face.Caption);
            double x = face.Left + (face.Width - textWidth) / 2;
            if (face.Align == 0) {
                x = face.Left + 75;
            } else if (face.Align == 1) {
                x = face.Left + face.Width - textWidth - 60;
            }
            body_->SetCurrentX(x);
            body_->SetCurrentY((height - body_->TextHeight(face.Caption)) / 2);
            body_->Print(face.Caption, true);
            break;
        }
        case 1:
        case 3: {
            const double x = face.Left + (face.Width - 120) / 2;
            drawTriangle(x, top, true);
            if (face.Type == 3) {
                body_->Line(x - 30, top, x - 30, top + 190, Black);
            }
            break;
        }
        case 2:
        case 4: {
            const double x = face.Left + (face.Width - 160) / 2;
            drawTriangle(x, top, false);
            if (face.Type == 4) {
                body_->Line(x + 105, top, x + 105, top + 190, Black);
            }
            break;
        }
        default:
            break;
    }
}

void ExpandTab::drawPlain(int tab) {
    const TabLayout::Tab& face = layout_.At(tab);
    const double right = face.Left + face.Width;
    if (style_ == 0) {
        body_->Line(face.Left + 30, 45, right - 60, StripHeight - 45, backColor_, true, true);
        return;
    }
    body_->Line(face.Left + 15, 30, right - 15, StripHeight - 60, backColor_, true, true);
    body_->Line(face.Left + 15, 15, right - 15, 15, Black);
    body_->Line(face.Left + 60, 60, face.Left + 60, StripHeight - 60, Black);
    body_->Line(face.Left + 60, StripHeight - 60, right - 60, StripHeight - 60, Black);
    body_->Line(right - 60, 60, right - 60, StripHeight - 60, Black);
    body_->Line(face.Left + 60, 60, right - 60, 60, Black);
}

void ExpandTab::drawHover(int tab) {
    const TabLayout::Tab& face = layout_.At(tab);
    body_->Line(face.Left + 30, 45, face.Left + face.Width - 60, StripHeight - 45, HoverFill, true,
                true);
    body_->Line(face.Left + 30, 45, face.Left + face.Width - 60, StripHeight - 45, BoxLine, true);
}

void ExpandTab::drawPressed(int tab) {
    const TabLayout::Tab& face = layout_.At(tab);
    const double right = face.Left + face.Width;
    if (style_ == 0) {
        body_->Line(face.Left + 30, 45, right - 60, StripHeight - 45, PressedFill, true, true);
        body_->Line(face.Left + 30, 45, right - 60, StripHeight - 45, BoxLine, true);
        return;
    }
    body_->Line(face.Left + 15, 15, right - 15, StripHeight - 60, PressedFill, true, true);
    body_->Line(face.Left + 15, 15, right - 15, 15, backColor_);
    body_->Line(face.Left + 15, 15, face.Left + 15, StripHeight - 60, White);
    body_->Line(face.Left + 15, StripHeight - 60, right - 15, StripHeight - 60, BoxLine);
    body_->Line(right - 15, 15, right - 15, StripHeight - 60, BoxLine);
}

// A filled triangle in a box of TriangleWidth by TriangleHeight at (x, y), drawn as
// one vertical line per pixel column.
void ExpandTab::drawTriangle(double x, double y, bool pointsLeft) {
    const double middle = y + TriangleHeight / 2;
    for (double dx = 0; dx <= TriangleWidth; dx += 15) {
        const double fromTip = pointsLeft ? dx : TriangleWidth - dx;
        const double half = TriangleHeight / 2 * fromTip / TriangleWidth;
        body_->Line(x + dx, middle - half, x + dx, middle + half + 15, Black);
    }
}
