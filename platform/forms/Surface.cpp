#include "Surface.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "Fonts.h"
#include "KeyCodes.h"
#include "Twips.h"
#include "VbColor.h"

namespace forms {

namespace {

QStringList textLines(const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

Qt::CursorShape cursorShape(int pointer) {
    switch (pointer) {
        case vbCrosshair:
            return Qt::CrossCursor;
        case vbIbeam:
            return Qt::IBeamCursor;
        case vbSizePointer:
        case vbSizeAll:
            return Qt::SizeAllCursor;
        case vbSizeNESW:
            return Qt::SizeBDiagCursor;
        case vbSizeNS:
            return Qt::SizeVerCursor;
        case vbSizeNWSE:
            return Qt::SizeFDiagCursor;
        case vbSizeWE:
            return Qt::SizeHorCursor;
        case vbUpArrow:
            return Qt::UpArrowCursor;
        case vbHourglass:
            return Qt::WaitCursor;
        case vbNoDrop:
            return Qt::ForbiddenCursor;
        case vbArrowHourglass:
            return Qt::BusyCursor;
        case vbArrowQuestion:
            return Qt::WhatsThisCursor;
        default:
            return Qt::ArrowCursor;
    }
}

// The picture ready for an operation: with the raster operations its transparent
// parts take the colour that leaves the destination unchanged.
QImage preparedSource(const QImage& source, RasterOp op) {
    if (op != vbSrcAnd && op != vbSrcPaint && op != vbSrcInvert) {
        return source;
    }
    QImage flat(source.size(), QImage::Format_RGB32);
    flat.fill(op == vbSrcAnd ? Qt::white : Qt::black);
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
    return flat;
}

QPainter::CompositionMode compositionFor(RasterOp op) {
    switch (op) {
        case vbSrcAnd:
            return QPainter::RasterOp_SourceAndDestination;
        case vbSrcPaint:
            return QPainter::RasterOp_SourceOrDestination;
        case vbSrcInvert:
            return QPainter::RasterOp_SourceXorDestination;
        default:
            return QPainter::CompositionMode_SourceOver;
    }
}

}  // namespace

Surface::Surface(QWidget* parent)
    : QWidget(parent),
      fontName_(QStringLiteral("MS UI Gothic")),
      fontSize_(9),
      foreColor_(vbButtonText),
      backColor_(vbButtonFace) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateFont();
}

void Surface::fitImage() const {
    const QSize size = contentsRect().size().expandedTo(QSize(1, 1));
    if (image_.size() == size) {
        return;
    }
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(colorFromVb(backColor_));
    if (!image_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

void Surface::updateFont() {
    font_ = resolveFont(fontName_, fontSize_, fontBold_);
    setFont(font_);
}

void Surface::changed() {
    // Drawing done by a Paint handler is shown by the repaint that raised it.
    if (!inPaint_) {
        update();
    }
}

QPointF Surface::twipsAt(const QPointF& widgetPosition) const {
    const QPoint pixel = widgetPosition.toPoint() - contentsRect().topLeft();
    return {toTwips(pixel.x()), toTwips(pixel.y())};
}

void Surface::Cls() {
    fitImage();
    image_.fill(colorFromVb(backColor_));
    currentX_ = 0;
    currentY_ = 0;
    changed();
}

void Surface::Line(double x1, double y1, double x2, double y2, std::optional<long> color, bool box,
                   bool filled) {
    fitImage();
    const QColor lineColor = colorFromVb(color.value_or(foreColor_));
    const QPoint from(toPixels(x1), toPixels(y1));
    const QPoint to(toPixels(x2), toPixels(y2));
    QPainter painter(&image_);
    if (!box) {
        painter.setPen(QPen(lineColor, 0));
        painter.drawLine(from, to);
    } else {
        const QRect area = QRect(from, to).normalized();
        if (filled || area.width() <= 2 || area.height() <= 2) {
            painter.fillRect(area, lineColor);
        } else {
            if (fillStyle_ == vbFSSolid) {
                painter.fillRect(area, colorFromVb(fillColor_));
            }
            painter.setPen(QPen(lineColor, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        }
    }
    currentX_ = x2;
    currentY_ = y2;
    changed();
}

void Surface::Print(const QString& text, bool stayOnLine) {
    fitImage();
    const QFontMetrics metrics(font_);
    const double lineHeight = toTwips(metrics.height());
    QPainter painter(&image_);
    painter.setFont(font_);
    painter.setPen(colorFromVb(foreColor_));
    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            currentX_ = 0;
            currentY_ += lineHeight;
        }
        painter.drawText(toPixels(currentX_), toPixels(currentY_) + metrics.ascent(), lines[i]);
        currentX_ += toTwips(metrics.horizontalAdvance(lines[i]));
    }
    if (!stayOnLine) {
        currentX_ = 0;
        currentY_ += lineHeight;
    }
    changed();
}

double Surface::TextWidth(const QString& text) const {
    const QFontMetrics metrics(font_);
    int widest = 0;
    for (const QString& line : textLines(text)) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return toTwips(widest);
}

double Surface::TextHeight(const QString& text) const {
    const QFontMetrics metrics(font_);
    return toTwips(metrics.height() * static_cast<int>(textLines(text).size()));
}

void Surface::PaintPicture(const QImage& picture, double x, double y, RasterOp op) {
    PaintPicture(picture, x, y, -1, -1, 0, 0, -1, -1, op);
}

void Surface::PaintPicture(const QImage& picture, double x, double y, double width, double height,
                           double srcX, double srcY, double srcWidth, double srcHeight,
                           RasterOp op) {
    if (picture.isNull()) {
        return;
    }
    fitImage();
    const int left = toPixels(srcX);
    const int top = toPixels(srcY);
    const QRect source(left, top, srcWidth < 0 ? picture.width() - left : toPixels(srcWidth),
                       srcHeight < 0 ? picture.height() - top : toPixels(srcHeight));
    const QRect target(toPixels(x), toPixels(y), width < 0 ? source.width() : toPixels(width),
                       height < 0 ? source.height() : toPixels(height));
    const QImage part = preparedSource(picture.copy(source), op);
    QPainter painter(&image_);
    painter.setCompositionMode(compositionFor(op));
    painter.drawImage(target, part);
    changed();
}

long Surface::Point(double x, double y) const {
    fitImage();
    const QPoint pixel(toPixels(x), toPixels(y));
    if (!image_.rect().contains(pixel)) {
        return -1;
    }
    return vbFromColor(image_.pixelColor(pixel));
}

void Surface::Refresh() {
    repaint();
}

const QImage& Surface::Image() const {
    fitImage();
    return image_;
}

double Surface::ScaleWidth() const {
    return toTwips(contentsRect().width());
}

double Surface::ScaleHeight() const {
    return toTwips(contentsRect().height());
}

void Surface::SetBackColor(long color) {
    backColor_ = color;
    Cls();
}

void Surface::SetFontName(const QString& name) {
    fontName_ = name;
    updateFont();
}

void Surface::SetFontSize(double points) {
    fontSize_ = points;
    updateFont();
}

void Surface::SetFontBold(bool bold) {
    fontBold_ = bold;
    updateFont();
}

void Surface::SetAutoRedraw(bool on) {
    autoRedraw_ = on;
    update();
}

void Surface::SetMousePointer(int pointer) {
    mousePointer_ = pointer;
    if (pointer == vbDefault) {
        unsetCursor();
    } else {
        setCursor(cursorShape(pointer));
    }
}

void Surface::paintEvent(QPaintEvent*) {
    fitImage();
    if (!autoRedraw_) {
        image_.fill(colorFromVb(backColor_));
        inPaint_ = true;
        Paint();
        inPaint_ = false;
    }
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image_);
}

void Surface::resizeEvent(QResizeEvent* event) {
    fitImage();
    QWidget::resizeEvent(event);
    Resize();
}

void Surface::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    afterDoubleClick_ = false;
    const QPointF at = twipsAt(event->position());
    MouseDown(vbButtons(event->button()), vbShiftState(event->modifiers()), at.x(), at.y());
}

void Surface::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = twipsAt(event->position());
    MouseMove(vbButtons(event->buttons()), vbShiftState(event->modifiers()), at.x(), at.y());
}

void Surface::mouseReleaseEvent(QMouseEvent* event) {
    const bool click =
        pressed_ && !afterDoubleClick_ && rect().contains(event->position().toPoint());
    pressed_ = false;
    afterDoubleClick_ = false;
    const QPointF at = twipsAt(event->position());
    MouseUp(vbButtons(event->button()), vbShiftState(event->modifiers()), at.x(), at.y());
    if (click) {
        Click();
    }
}

void Surface::mouseDoubleClickEvent(QMouseEvent*) {
    pressed_ = false;
    afterDoubleClick_ = true;
    DblClick();
}

void Surface::keyPressEvent(QKeyEvent* event) {
    if (const int code = vbKeyCode(*event); code != 0) {
        KeyDown(code, vbShiftState(event->modifiers()));
    }
    if (const int character = vbKeyAscii(*event); character != 0) {
        KeyPress(character);
    }
    event->accept();
}

void Surface::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its KeyDown; KeyUp comes once, when it is let go.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    if (const int code = vbKeyCode(*event); code != 0) {
        KeyUp(code, vbShiftState(event->modifiers()));
    }
    event->accept();
}

void Surface::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (!focused_) {
        focused_ = true;
        GotFocus();
    }
}

void Surface::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The window losing activation keeps the focus where it is.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    if (focused_) {
        focused_ = false;
        LostFocus();
    }
}

}  // namespace forms
