#include "ConvertPictures.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QStyle>

#include "core/XXPictureFunctions.h"

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
                return XX共通関数::LoadResourcePicture(101, QStringLiteral("CUSTOM"));
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
