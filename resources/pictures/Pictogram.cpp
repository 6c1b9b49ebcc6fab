#include "Pictogram.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>
#include <numbers>

#include "Canvas.h"

namespace {

void fill(QPainter& p, const QRectF& box, double radius, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(box, radius, radius);
}

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, double width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void line(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width) {
    QPainterPath path(from);
    path.lineTo(to);
    stroke(p, path, colour, width);
}

void polygon(QPainter& p, const QPolygonF& points, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(points);
}

// A shape in ink that stands out of what lies under it by a paper border.
void outlinedPolygon(QPainter& p, const QPolygonF& points, const QColor& ink, const QColor& paper,
                     double border) {
    p.setPen(QPen(paper, border * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ink);
    p.drawPolygon(points);
    polygon(p, points, ink);
}

void glyph(QPainter& p, const QRectF& box, const QString& text, const QColor& colour, double size) {
    p.setFont(Canvas::PictureFont(size, true));
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

void Pictogram::Draw(QPainter& painter, Kind kind, const QRectF& square, const QColor& ink,
                     const QColor& paper) {
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / 100.0, square.height() / 100.0);
    switch (kind) {
        case Ledger:
            drawLedger(painter, ink, paper);
            break;
        case BarChart:
            drawBarChart(painter, ink);
            break;
        case Boxes:
            drawBoxes(painter, ink, paper);
            break;
        case CalendarArrow:
            drawCalendarArrow(painter, ink, paper);
            break;
        case Gear:
            drawGear(painter, ink, paper);
            break;
        case RisingChart:
            drawRisingChart(painter, ink);
            break;
        case Help:
            drawHelp(painter, ink, paper);
            break;
        case Power:
            drawPower(painter, ink);
            break;
        case Folder:
            drawFolder(painter, ink, paper);
            break;
        case List:
            drawList(painter, ink);
            break;
        case CalendarPencil:
            drawCalendarPencil(painter, ink, paper);
            break;
        case Database:
            drawDatabase(painter, ink, paper);
            break;
        case Trash:
            drawTrash(painter, ink, paper);
            break;
        case BackArrow:
            drawBackArrow(painter, ink);
            break;
        case Podium:
            drawPodium(painter, ink, paper);
            break;
        case LowStock:
            drawLowStock(painter, ink, paper);
            break;
        case CalendarPage:
            drawCalendar(painter, QRectF(10, 14, 80, 80), ink, paper);
            break;
    }
    painter.restore();
}

void Pictogram::drawLedger(QPainter& p, const QColor& ink, const QColor& paper) {
    fill(p, QRectF(14, 6, 56, 78), 7, ink);
    for (const double y : {22.0, 36.0, 50.0}) {
        line(p, {25, y}, {59, y}, paper, 5);
    }
    line(p, {25, 64}, {44, 64}, paper, 5);
    p.setPen(QPen(paper, 6));
    p.setBrush(ink);
    p.drawEllipse(QPointF(70, 70), 24, 24);
    glyph(p, QRectF(46, 46, 48, 48), QStringLiteral("¥"), paper, 34);
}

void Pictogram::drawBarChart(QPainter& p, const QColor& ink) {
    fill(p, QRectF(16, 54, 18, 34), 3, ink);
    fill(p, QRectF(41, 34, 18, 54), 3, ink);
    fill(p, QRectF(66, 12, 18, 76), 3, ink);
    line(p, {8, 93}, {92, 93}, ink, 6);
}

void Pictogram::drawBoxes(QPainter& p, const QColor& ink, const QColor& paper) {
    const QRectF boxes[] = {{8, 52, 40, 38}, {52, 52, 40, 38}, {30, 10, 40, 38}};
    for (const QRectF& box : boxes) {
        fill(p, box, 4, ink);
        fill(p, QRectF(box.center().x() - 5, box.top(), 10, 14), 1, paper);
    }
}

void Pictogram::drawCalendar(QPainter& p, const QRectF& body, const QColor& ink,
                             const QColor& paper) {
    fill(p, body, 7, ink);
    const double cell = body.width() / 5;
    p.setBrush(paper);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(body.left() + 6, body.top() + 18, body.width() - 12, 3));
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.drawRect(QRectF(body.left() + cell * (col + 0.75), body.top() + 27 + row * cell,
                              cell * 0.5, cell * 0.5));
        }
    }
    for (const double x : {body.left() + body.width() * 0.28, body.left() + body.width() * 0.72}) {
        p.setPen(QPen(paper, 4));
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(x - 4, body.top() - 9, 8, 18), 3, 3);
    }
}

void Pictogram::drawCalendarArrow(QPainter& p, const QColor& ink, const QColor& paper) {
    drawCalendar(p, QRectF(6, 16, 66, 74), ink, paper);
    outlinedPolygon(
        p, QPolygonF({{52, 56}, {74, 56}, {74, 44}, {96, 66}, {74, 88}, {74, 76}, {52, 76}}), ink,
        paper, 4);
}

void Pictogram::drawGear(QPainter& p, const QColor& ink, const QColor& paper) {
    QPainterPath gear;
    gear.addEllipse(QPointF(50, 50), 32, 32);
    for (int tooth = 0; tooth < 8; ++tooth) {
        QPainterPath bar;
        bar.addRoundedRect(QRectF(41, 4, 18, 20), 3, 3);
        gear = gear.united(
            QTransform().translate(50, 50).rotate(tooth * 45.0).translate(-50, -50).map(bar));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(gear);
    p.setBrush(paper);
    p.drawEllipse(QPointF(50, 50), 13, 13);
}

void Pictogram::drawRisingChart(QPainter& p, const QColor& ink) {
    QPainterPath axes(QPointF(10, 8));
    axes.lineTo(10, 90);
    axes.lineTo(94, 90);
    stroke(p, axes, ink, 6);
    QPainterPath trend(QPointF(22, 74));
    trend.lineTo(42, 52);
    trend.lineTo(58, 62);
    trend.lineTo(80, 34);
    stroke(p, trend, ink, 8);
    polygon(p, QPolygonF({{92, 18}, {88, 46}, {66, 28}}), ink);
}

void Pictogram::drawHelp(QPainter& p, const QColor& ink, const QColor& paper) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(50, 50), 44, 44);
    glyph(p, QRectF(6, 4, 88, 90), QStringLiteral("?"), paper, 66);
}

void Pictogram::drawPower(QPainter& p, const QColor& ink) {
    QPainterPath ring;
    const QRectF circle(16, 20, 68, 68);
    ring.arcMoveTo(circle, 60);
    ring.arcTo(circle, 60, -300);
    stroke(p, ring, ink, 10);
    line(p, {50, 8}, {50, 50}, ink, 10);
}

void Pictogram::drawFolder(QPainter& p, const QColor& ink, const QColor& paper) {
    QPainterPath back;
    back.addRoundedRect(QRectF(6, 14, 40, 24), 5, 5);
    back.addRoundedRect(QRectF(6, 24, 88, 64), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(back.simplified());
    line(p, {6, 38}, {94, 38}, paper, 4);
    fill(p, QRectF(58, 50, 26, 8), 3, paper);
}

void Pictogram::drawList(QPainter& p, const QColor& ink) {
    for (const double y : {12.0, 40.0, 68.0}) {
        fill(p, QRectF(6, y, 20, 20), 4, ink);
        line(p, {38, y + 10}, {92, y + 10}, ink, 9);
    }
}

void Pictogram::drawCalendarPencil(QPainter& p, const QColor& ink, const QColor& paper) {
    drawCalendar(p, QRectF(6, 14, 66, 74), ink, paper);
    const QPolygonF pencil({{60, 96}, {64, 80}, {90, 54}, {98, 62}, {72, 88}});
    outlinedPolygon(p, pencil, ink, paper, 4);
    line(p, {66, 82}, {74, 90}, paper, 2.5);
}

void Pictogram::drawDatabase(QPainter& p, const QColor& ink, const QColor& paper) {
    QPainterPath drum;
    drum.addRect(QRectF(12, 18, 60, 62));
    drum.addEllipse(QRectF(12, 8, 60, 20));
    drum.addEllipse(QRectF(12, 70, 60, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(drum.simplified());
    for (const double y : {30.0, 50.0}) {
        QPainterPath band;
        band.arcMoveTo(QRectF(12, y - 10, 60, 20), 180);
        band.arcTo(QRectF(12, y - 10, 60, 20), 180, 180);
        stroke(p, band, paper, 4);
    }
    p.setPen(QPen(paper, 5));
    p.setBrush(ink);
    p.drawEllipse(QPointF(74, 74), 22, 22);
    QPainterPath turn;
    const QRectF circle(63, 63, 22, 22);
    turn.arcMoveTo(circle, 90);
    turn.arcTo(circle, 90, 270);
    stroke(p, turn, paper, 4);
    polygon(p, QPolygonF({{66, 60}, {78, 63}, {68, 71}}), paper);
}

void Pictogram::drawTrash(QPainter& p, const QColor& ink, const QColor& paper) {
    fill(p, QRectF(12, 16, 76, 10), 3, ink);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(38, 6, 24, 14), 4, 4);
    stroke(p, handle, ink, 5);
    polygon(p, QPolygonF({{20, 32}, {80, 32}, {74, 94}, {26, 94}}), ink);
    for (const double x : {36.0, 50.0, 64.0}) {
        line(p, {x, 44}, {x, 82}, paper, 5);
    }
}

void Pictogram::drawBackArrow(QPainter& p, const QColor& ink) {
    QPainterPath bend(QPointF(82, 88));
    bend.lineTo(82, 58);
    bend.cubicTo(82, 40, 70, 36, 52, 36);
    bend.lineTo(36, 36);
    stroke(p, bend, ink, 14);
    polygon(p, QPolygonF({{6, 36}, {40, 8}, {40, 64}}), ink);
}

void Pictogram::drawPodium(QPainter& p, const QColor& ink, const QColor& paper) {
    const QRectF first(36, 42, 28, 52);
    const QRectF second(6, 58, 28, 36);
    const QRectF third(66, 68, 28, 26);
    fill(p, first, 3, ink);
    fill(p, second, 3, ink);
    fill(p, third, 3, ink);
    glyph(p, first.adjusted(0, 2, 0, -22), QStringLiteral("1"), paper, 24);
    glyph(p, second.adjusted(0, 2, 0, -10), QStringLiteral("2"), paper, 20);
    glyph(p, third.adjusted(0, 0, 0, -4), QStringLiteral("3"), paper, 18);
    QPolygonF star;
    for (int point = 0; point < 10; ++point) {
        const double angle = -std::numbers::pi / 2 + point * std::numbers::pi / 5;
        const double radius = point % 2 == 0 ? 17 : 7;
        star << QPointF(50 + radius * std::cos(angle), 20 + radius * std::sin(angle));
    }
    polygon(p, star, ink);
}

void Pictogram::drawLowStock(QPainter& p, const QColor& ink, const QColor& paper) {
    fill(p, QRectF(6, 42, 58, 50), 5, ink);
    fill(p, QRectF(29, 42, 12, 16), 1, paper);
    const QPolygonF warning({{74, 8}, {98, 52}, {50, 52}});
    outlinedPolygon(p, warning, ink, paper, 4);
    line(p, {74, 22}, {74, 37}, paper, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawEllipse(QPointF(74, 45), 3.5, 3.5);
}
