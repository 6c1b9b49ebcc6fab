#include "ConvertPictures.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace ConvertPictures {

namespace {

QImage blank(int width, int height, QColor colour = Qt::transparent) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QImage marker(bool chosen) {
    QImage image = blank(24, 24);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(chosen ? QColor(0, 96, 0) : QColor(128, 128, 128), 2));
    painter.setBrush(chosen ? QColor(64, 176, 64) : QColor(240, 240, 240));
    painter.drawEllipse(QRectF(2, 2, 20, 20));
    if (chosen) {
        painter.setPen(QPen(Qt::white, 3));
        painter.drawPolyline(QPolygonF({QPointF(7, 12), QPointF(11, 16), QPointF(17, 8)}));
    }
    return image;
}

QImage caption() {
    QImage image = blank(180, 29);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSizeF(9);
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 192));
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("その他のシステムを選択"));
    return image;
}

QImage emptyGauge() {
    QImage image = blank(248, 25, QColor(0xEF, 0xEF, 0xEF));
    QPainter painter(&image);
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, 247, 24);
    return image;
}

QImage gaugeStep() {
    QImage image = blank(24, 17, QColor(0xEF, 0xEF, 0xEF));
    QPainter painter(&image);
    painter.fillRect(2, 0, 20, 17, QColor(0, 120, 215));
    return image;
}

// A database drawn as a cylinder.
void drawDatabase(QPainter& painter, const QRectF& box, const QColor& colour) {
    const double lid = box.height() / 4;
    QPainterPath body;
    body.moveTo(box.left(), box.top() + lid / 2);
    body.lineTo(box.left(), box.bottom() - lid / 2);
    body.arcTo(QRectF(box.left(), box.bottom() - lid, box.width(), lid), 180, 180);
    body.lineTo(box.right(), box.top() + lid / 2);
    body.closeSubpath();
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(colour);
    painter.drawPath(body);
    painter.drawEllipse(QRectF(box.left(), box.top(), box.width(), lid));
}

// The welcome band, 2460 by 4630 twips: a navy band that lightens downwards, the earlier
// data carried into the new database, and the wizard's name.
QImage welcome() {
    constexpr int width = 164;
    constexpr int height = 309;
    const QColor navy(0x1F3B5A);
    const QColor blue(0x2E6DA4);
    QImage image = blank(width, height, navy);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, height);
    shade.setColorAt(0, navy);
    shade.setColorAt(1, blue);
    painter.fillRect(QRectF(0, 0, width, height), shade);
    drawDatabase(painter, QRectF(20, 80, 40, 56), QColor(0x7F, 0x8C, 0x9D));
    drawDatabase(painter, QRectF(104, 80, 40, 56), QColor(0x27, 0xAE, 0x60));
    painter.setPen(QPen(QColor(0xE67E22), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(68, 108), QPointF(96, 108));
    painter.drawLine(QPointF(86, 98), QPointF(96, 108));
    painter.drawLine(QPointF(86, 118), QPointF(96, 108));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(0, 170, width, 30), Qt::AlignCenter, QStringLiteral("モルビク"));
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(QColor(0xD6E6F5));
    painter.drawText(QRectF(0, 202, width, 24), Qt::AlignCenter, QStringLiteral("データ移行"));
    painter.fillRect(QRectF(30, 240, width - 60, 3), QColor(0xE67E22));
    return image;
}

QImage standardIcon(QStyle::StandardPixmap kind) {
    const QIcon icon = QApplication::style()->standardIcon(kind);
    return icon.pixmap(32, 32).toImage();
}

QImage panelIcon() {
    QImage image = blank(32, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 120, 215));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(2, 6, 12, 20), 2, 2);
    painter.drawRoundedRect(QRectF(18, 6, 12, 20), 2, 2);
    painter.setPen(QPen(QColor(255, 160, 0), 3));
    painter.drawLine(QPointF(10, 16), QPointF(22, 16));
    painter.drawLine(QPointF(18, 12), QPointF(22, 16));
    painter.drawLine(QPointF(18, 20), QPointF(22, 16));
    return image;
}

}  // namespace

QImage Picture(const QString& type, int32_t id) {
    if (type == QLatin1String("CUSTOM")) {
        switch (id) {
            case 101:
                return welcome();
            case 201:
                return marker(false);
            case 202:
                return marker(true);
            case 203:
                return caption();
            default:
                return QImage();
        }
    }
    if (type == QLatin1String("PROGRESS")) {
        switch (id) {
            case 1:
                return emptyGauge();
            case 2:
                return panelIcon();
            case 3:
                return gaugeStep();
            default:
                return QImage();
        }
    }
    if (type == QLatin1String("ICON")) {
        return standardIcon(id == 2 ? QStyle::SP_DirIcon : QStyle::SP_ComputerIcon);
    }
    return QImage();
}

}  // namespace ConvertPictures
