#include "PictureBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "Form.h"
#include "Twips.h"
#include "VbColor.h"

namespace forms {

PictureBox::PictureBox(QWidget* parent) : Surface(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    applyBorder();
}

double PictureBox::Left() const {
    return toTwips(x());
}

void PictureBox::SetLeft(double left) {
    move(toPixels(left), y());
}

double PictureBox::Top() const {
    return toTwips(y());
}

void PictureBox::SetTop(double top) {
    move(x(), toPixels(top));
}

double PictureBox::Width() const {
    return toTwips(width());
}

void PictureBox::SetWidth(double width) {
    resize(std::max(0, toPixels(width)), height());
}

double PictureBox::Height() const {
    return toTwips(height());
}

void PictureBox::SetHeight(double height) {
    resize(width(), std::max(0, toPixels(height)));
}

void PictureBox::Move(double left, double top) {
    move(toPixels(left), toPixels(top));
}

void PictureBox::Move(double left, double top, double width, double height) {
    placeTwips(this, left, top, width, height);
}

void PictureBox::SetBorderStyle(int style) {
    borderStyle_ = style;
    applyBorder();
}

void PictureBox::SetAppearance(int appearance) {
    appearance_ = appearance;
    applyBorder();
}

void PictureBox::SetFocus() {
    if (!isVisible() || focusPolicy() == Qt::NoFocus) {
        return;
    }
    if (isEnabled()) {
        setFocus(Qt::OtherFocusReason);
    } else {
        Form::FocusAfterWork(this);
    }
}

void PictureBox::ZOrder(int position) {
    if (position == 0) {
        raise();
    } else {
        lower();
    }
}

int PictureBox::borderPixels() const {
    if (borderStyle_ == 0) {
        return 0;
    }
    return appearance_ == 0 ? 1 : 2;
}

void PictureBox::applyBorder() {
    const int border = borderPixels();
    setContentsMargins(border, border, border, border);
    update();
}

bool PictureBox::event(QEvent* event) {
    if (wantsTab_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return Surface::event(event);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    Surface::paintEvent(event);
    const int border = borderPixels();
    if (border == 0) {
        return;
    }
    QPainter painter(this);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    if (border == 1) {
        painter.setPen(colorFromVb(vbBlack));
        painter.drawRect(outer);
        return;
    }
    const QPalette& colours = palette();
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(colours.color(QPalette::Shadow));
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(colours.color(QPalette::Midlight));
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void PictureBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!event->commitString().isEmpty()) {
        InputText(event->commitString());
    }
    event->accept();
}

}  // namespace forms
