#include "PickerPictures.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

#include "Canvas.h"
#include "Palette.h"
#include "Pictogram.h"

void PickerPictures::Write(PictureFolder& folder) {
    writeArrow(folder, 1, true);
    writeArrow(folder, 2, false);
    writeWeekdays(folder);
    writeCaption(folder, 4, QStringLiteral("年"));
    writeCaption(folder, 5, QStringLiteral("月"));
    writeAnswer(folder, 6, true);
    writeAnswer(folder, 7, false);
    writeDropDownFace(folder);
    writeHeading(folder);
}

// A double chevron for the previous (1) and next (2) year buttons.
void PickerPictures::writeArrow(PictureFolder& folder, int id, bool pointsLeft) {
    Canvas canvas(23, 19, Qt::transparent);
    QPainter& p = canvas.Painter();
    p.setPen(QPen(Palette::Navy, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const double tip : {3.5, 11.5}) {
        const double x = pointsLeft ? tip : 23 - tip;
        const double back = pointsLeft ? x + 7 : x - 7;
        QPainterPath chevron(QPointF(back, 3));
        chevron.lineTo(x, 9.5);
        chevron.lineTo(back, 16);
        p.drawPath(chevron);
    }
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), id, 23, 19);
}

// The heading over the seven day columns, Sunday to Saturday, 102 pixels each.
void PickerPictures::writeWeekdays(PictureFolder& folder) {
    Canvas canvas(714, 28, Qt::white);
    const QString names[] = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                             QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                             QStringLiteral("土")};
    for (int day = 0; day < 7; ++day) {
        const QColor face = day == 0   ? QColor(0xD9534F)
                            : day == 6 ? QColor(0x3A6FD8)
                                       : Palette::Slate;
        const QRectF cell(day * 102, 0, 102, 28);
        canvas.Painter().fillRect(cell.adjusted(day == 0 ? 0 : 1, 0, 0, 0), face);
        canvas.Text(cell, names[day], Qt::white, 15, true);
    }
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), 3, 714, 28);
}

// The small captions over the year box (4) and the month box (5).
void PickerPictures::writeCaption(PictureFolder& folder, int id, const QString& text) {
    Canvas canvas(57, 22, Qt::transparent);
    canvas.RoundedBox(QRectF(0, 1, 57, 20), 10, Palette::Navy);
    canvas.Text(QRectF(0, 0, 57, 22), text, Qt::white, 13, true);
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), id, 57, 22);
}

// The OK (6) and Cancel (7) faces: a mark and the word, centred together.
void PickerPictures::writeAnswer(PictureFolder& folder, int id, bool ok) {
    constexpr int Width = 140;
    constexpr int Height = 34;
    Canvas canvas(Width, Height, Qt::transparent);
    const QString word = ok ? QStringLiteral("OK") : QStringLiteral("キャンセル");
    const double size = ok ? 19 : 16;
    const double wordWidth = QFontMetricsF(Canvas::PictureFont(size, true)).horizontalAdvance(word);
    const double left = (Width - (26 + 8 + wordWidth)) / 2;
    QPainter& p = canvas.Painter();
    p.setPen(Qt::NoPen);
    p.setBrush(ok ? QColor(0x1E8449) : QColor(0xB03A2E));
    p.drawEllipse(QPointF(left + 13, 17), 13, 13);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath sign;
    if (ok) {
        sign.moveTo(left + 6.5, 17.5);
        sign.lineTo(left + 11.5, 22.5);
        sign.lineTo(left + 20, 12);
    } else {
        sign.moveTo(left + 8, 12);
        sign.lineTo(left + 18, 22);
        sign.moveTo(left + 18, 12);
        sign.lineTo(left + 8, 22);
    }
    p.setBrush(Qt::NoBrush);
    p.drawPath(sign);
    canvas.Text(QRectF(left + 34, 0, wordWidth + 2, Height), word, Palette::Ink, size, true,
                Qt::AlignLeft | Qt::AlignVCenter);
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), id, Width, Height);
}

// The face of the month drop-down, arrow included, as large as the box's face.
void PickerPictures::writeDropDownFace(PictureFolder& folder) {
    Canvas canvas(101, 29, QColor(0xE0E0E0));
    QPainter& p = canvas.Painter();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, 100, 28);
    p.setPen(Qt::white);
    p.drawLine(1, 1, 99, 1);
    p.drawLine(1, 1, 1, 27);
    p.fillRect(QRect(79, 2, 20, 25), QColor(0xC9D3DE));
    p.setPen(QColor(0x909090));
    p.drawLine(78, 3, 78, 25);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Navy);
    p.drawPolygon(QPolygonF({{83.5, 11.5}, {94.5, 11.5}, {89, 18.5}}));
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), 8, 101, 29);
}

// The band behind the month picker's captions and the top of its year and month boxes,
// with a calendar at its left end.
void PickerPictures::writeHeading(PictureFolder& folder) {
    Canvas canvas(313, 35, Qt::transparent);
    canvas.RoundedFrame(QRectF(0, 0, 313, 35), 8, QColor(0xF2F5F9), Palette::Rule, 1);
    Pictogram::Draw(canvas.Painter(), Pictogram::CalendarPage, QRectF(22, 4, 26, 26), Palette::Navy,
                    QColor(0xF2F5F9));
    folder.Write(canvas.Finish(), QStringLiteral("PICKER"), 9, 313, 35);
}
