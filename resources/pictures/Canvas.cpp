#include "Canvas.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

Canvas::Canvas(int width, int height, const QColor& background)
    : image_(width, height,
             background.alpha() < 255 ? QImage::Format_ARGB32 : QImage::Format_RGB32) {
    image_.fill(background);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
}

QImage Canvas::Finish() {
    painter_.end();
    return image_;
}

QFont Canvas::PictureFont(double pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

double Canvas::FittingSize(const QString& text, double width, double maxPixelSize, bool bold) {
    double size = maxPixelSize;
    while (size > 6) {
        const QFontMetricsF metrics(PictureFont(size, bold));
        double widest = 0;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            widest = std::max(widest, metrics.horizontalAdvance(line));
        }
        if (widest <= width) {
            break;
        }
        size -= 1;
    }
    return size;
}

void Canvas::Text(const QRectF& box, const QString& text, const QColor& colour, double pixelSize,
                  bool bold, int flags) {
    painter_.save();
    painter_.setFont(PictureFont(pixelSize, bold));
    painter_.setPen(colour);
    painter_.drawText(box, flags, text);
    painter_.restore();
}

void Canvas::RoundedBox(const QRectF& box, double radius, const QColor& fill) {
    painter_.save();
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(fill);
    painter_.drawRoundedRect(box, radius, radius);
    painter_.restore();
}

void Canvas::RoundedFrame(const QRectF& box, double radius, const QColor& fill, const QColor& line,
                          double lineWidth) {
    painter_.save();
    painter_.setPen(QPen(line, lineWidth));
    painter_.setBrush(fill);
    const double inset = lineWidth / 2;
    painter_.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), radius, radius);
    painter_.restore();
}
