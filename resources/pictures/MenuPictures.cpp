#include "MenuPictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "Canvas.h"
#include "Palette.h"
#include "Pictogram.h"

namespace {

struct MenuButton {
    int base;
    const char* label;
    Pictogram::Kind kind;
    QRgb colour;
};

// Base ids of the button pictures, as the main menu assigns them.
const MenuButton Buttons[] = {
    {10, "仕入/売上", Pictogram::Ledger, 0x2E86DE},
    {20, "売上利益表", Pictogram::BarChart, 0x16A085},
    {30, "在庫管理表", Pictogram::Boxes, 0xE67E22},
    {40, "次月繰越", Pictogram::CalendarArrow, 0x8E44AD},
    {50, "メンテナンス", Pictogram::Gear, 0x34495E},
    {60, "経営支援", Pictogram::RisingChart, 0x27AE60},
    {70, "ヘルプ", Pictogram::Help, 0xD68910},
    {80, "終了", Pictogram::Power, 0xC0392B},
    {90, "商品分類", Pictogram::Folder, 0x2980B9},
    {100, "商品一覧", Pictogram::List, 0x138D75},
    {110, "月間データ\nメンテナンス", Pictogram::CalendarPencil, 0xCA6F1E},
    {120, "バックアップ\n/復元", Pictogram::Database, 0x7D3C98},
    {130, "過去データ\n削除", Pictogram::Trash, 0xB03A2E},
    {140, "戻る", Pictogram::BackArrow, 0x5D6D7E},
    {150, "ランキング", Pictogram::Podium, 0xB7950B},
    {160, "在庫少数\nリスト", Pictogram::LowStock, 0xCB4335},
};

constexpr int FrameWidth = 148;
constexpr int FrameHeight = 139;
// The part of a frame that is the button itself; the rest is its shadow.
constexpr int FaceWidth = 142;
constexpr int FaceHeight = 132;

void writeFrame(PictureFolder& folder, int id, const QColor& line, const QColor& face,
                double lineWidth) {
    Canvas canvas(FrameWidth, FrameHeight, Qt::white);
    canvas.RoundedBox(QRectF(6, 7, FaceWidth, FaceHeight), 12, Palette::Shadow);
    canvas.RoundedFrame(QRectF(0, 0, FaceWidth, FaceHeight), 12, face, line, lineWidth);
    folder.Write(canvas.Finish(), QStringLiteral("MENU"), id, FrameWidth, FrameHeight);
}

// Pressed: the face moved 4 pixels down and right onto its shadow.
void writePressedFrame(PictureFolder& folder) {
    Canvas canvas(FrameWidth + 1, FrameHeight + 1, Qt::white);
    const QRectF face(4, 4, FaceWidth, FaceHeight);
    canvas.RoundedFrame(face, 12, Palette::PressedFace, Palette::Navy, 2.5);
    QPainter& p = canvas.Painter();
    p.setPen(QPen(Palette::PressedEdge, 3));
    p.setBrush(Qt::NoBrush);
    p.setClipRect(QRectF(face.left() + 3, face.top() + 3, FaceWidth - 6, 10));
    p.drawRoundedRect(face.adjusted(3.5, 3.5, -3.5, -3.5), 9, 9);
    folder.Write(canvas.Finish(), QStringLiteral("MENU"), 16, FrameWidth + 1, FrameHeight + 1);
}

// Picture set 0: the drawing in colour over its label, on white, as large as it needs.
void writePlainButton(PictureFolder& folder, const MenuButton& button) {
    const QString label = QString::fromUtf8(button.label);
    const QStringList lines = label.split(QLatin1Char('\n'));
    constexpr double LabelSize = 15;
    const QFontMetricsF metrics(Canvas::PictureFont(LabelSize, true));
    double labelWidth = 0;
    for (const QString& text : lines) {
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(text));
    }
    const int icon = lines.size() > 1 ? 46 : 52;
    const int lineHeight = 19;
    const int width =
        std::clamp(static_cast<int>(std::ceil(std::max<double>(icon, labelWidth))) + 8, 64, 129);
    const int height = 4 + icon + 6 + lineHeight * static_cast<int>(lines.size()) + 4;
    Canvas canvas(width, height, Qt::white);
    const QColor colour(button.colour);
    Pictogram::Draw(canvas.Painter(), button.kind, QRectF((width - icon) / 2.0, 4, icon, icon),
                    colour, Qt::white);
    const double size = Canvas::FittingSize(label, width - 4, LabelSize, true);
    canvas.Text(QRectF(0, 4 + icon + 5, width, lineHeight * lines.size() + 2), label, Palette::Ink,
                size, true);
    folder.Write(canvas.Finish(), QStringLiteral("CUSTOM"), button.base, width, height);
}

// Picture set 1: a flat coloured tile with the drawing and the label in white, which the
// button's frame shows through (a shaded tile would band where the frame's tint is ANDed
// onto it).
void writeTileButton(PictureFolder& folder, const MenuButton& button) {
    constexpr int Width = 130;
    const int height = button.base >= 90 && button.base <= 110 ? 131 : 130;
    Canvas canvas(Width, height, Qt::white);
    const QColor colour(button.colour);
    canvas.RoundedBox(QRectF(0, 0, Width, height), 14, colour);
    QPainter& p = canvas.Painter();
    const QString label = QString::fromUtf8(button.label);
    const bool twoLines = label.contains(QLatin1Char('\n'));
    const int icon = twoLines ? 54 : 62;
    Pictogram::Draw(p, button.kind, QRectF((Width - icon) / 2.0, twoLines ? 12 : 16, icon, icon),
                    Qt::white, colour);
    const double size = Canvas::FittingSize(label, Width - 12, 17, true);
    const double top = twoLines ? 70 : 86;
    canvas.Text(QRectF(0, top, Width, height - top - 6), label, Qt::white, size, true);
    folder.Write(canvas.Finish(), QStringLiteral("CUSTOM"), button.base + 1, Width, height);
}

void writeTitle(PictureFolder& folder, int id, const char* text, int width, int height) {
    Canvas canvas(width, height, Qt::white);
    const QString title = QString::fromUtf8(text);
    const double size =
        std::min(Canvas::FittingSize(title, width - 14, height * 0.9, true), height * 0.82);
    canvas.RoundedBox(QRectF(0, 3, 5, height - 6), 2, Palette::Accent);
    canvas.Text(QRectF(10, 0, width - 10, height), title, Palette::Navy, size, true,
                Qt::AlignLeft | Qt::AlignVCenter);
    folder.Write(canvas.Finish(), QStringLiteral("TITLE"), id, width, height);
}

}  // namespace

void MenuPictures::Write(PictureFolder& folder) {
    writeHeader(folder);
    writeFooter(folder);
    writeTitles(folder);
    writeFrames(folder);
    writeButtons(folder);
}

// White where the titles are drawn (a title is blanked in white before the next one);
// the product's name on a band at the right, a rule along the bottom.
void MenuPictures::writeHeader(PictureFolder& folder) {
    Canvas canvas(1000, 66, Qt::white);
    QPainter& p = canvas.Painter();
    QLinearGradient band(470, 0, 800, 0);
    band.setColorAt(0, Palette::Navy);
    band.setColorAt(1, Palette::Blue);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    QPainterPath block;
    block.moveTo(500, 0);
    block.lineTo(1000, 0);
    block.lineTo(1000, 60);
    block.lineTo(470, 60);
    block.closeSubpath();
    p.drawPath(block);
    p.fillRect(QRectF(0, 60, 1000, 6), Palette::Navy);
    p.fillRect(QRectF(0, 58, 470, 2), Palette::Accent);
    canvas.Text(QRectF(520, 4, 262, 34), QStringLiteral("モルビク"), Qt::white, 25, true,
                Qt::AlignRight | Qt::AlignVCenter);
    canvas.Text(QRectF(520, 36, 262, 20), QStringLiteral("販売・在庫管理システム"),
                Palette::PaleBlue, 13, false, Qt::AlignRight | Qt::AlignVCenter);
    folder.Write(canvas.Finish(), QStringLiteral("MENU"), 1, 1000, 66);
}

void MenuPictures::writeFooter(PictureFolder& folder) {
    Canvas canvas(406, 50, Qt::white);
    QPainter& p = canvas.Painter();
    p.fillRect(QRectF(16, 6, 374, 1), Palette::Rule);
    canvas.Text(QRectF(16, 10, 374, 20), QStringLiteral("販売・在庫管理システム モルビク Ver.2"),
                Palette::Navy, 13, true, Qt::AlignRight | Qt::AlignVCenter);
    canvas.Text(QRectF(16, 29, 374, 16), QStringLiteral("Kelvarn Software"), Palette::Grey, 11,
                false, Qt::AlignRight | Qt::AlignVCenter);
    folder.Write(canvas.Finish(), QStringLiteral("MENU"), 2, 406, 50);
}

void MenuPictures::writeTitles(PictureFolder& folder) {
    writeTitle(folder, 1, "メニュー", 100, 27);
    writeTitle(folder, 2, "メンテナンスメニュー", 306, 33);
    writeTitle(folder, 3, "経営支援メニュー", 262, 36);
}

// 10 to 13 the four columns, 14 the last button (end or back), 15 under the pointer.
void MenuPictures::writeFrames(PictureFolder& folder) {
    const QRgb columns[] = {0x2E86DE, 0x16A085, 0xE67E22, 0x8E44AD};
    for (int column = 0; column < 4; ++column) {
        const QColor line(columns[column]);
        writeFrame(folder, 10 + column, line, Palette::Tint(line), 2);
    }
    writeFrame(folder, 14, Palette::Slate, Palette::Tint(Palette::Slate), 2);
    writeFrame(folder, 15, Palette::Hover, Palette::HoverFace, 3.5);
    writePressedFrame(folder);
}

void MenuPictures::writeButtons(PictureFolder& folder) {
    for (const MenuButton& button : Buttons) {
        writePlainButton(folder, button);
        writeTileButton(folder, button);
    }
}
