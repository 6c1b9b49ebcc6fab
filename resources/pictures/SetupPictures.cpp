#include "SetupPictures.h"

#include <QLinearGradient>

#include "Canvas.h"
#include "Palette.h"
#include "Pictogram.h"

namespace {

// The welcome band: 2460 by 4630 twips.
constexpr int WelcomeWidth = 164;
constexpr int WelcomeHeight = 309;
// A page picture, left of the page's text: 2400 by 3150 twips.
constexpr int StepWidth = 160;
constexpr int StepHeight = 210;

}  // namespace

void SetupPictures::Write(PictureFolder& folder) {
    writeWelcome(folder);
    writeStep(folder, 102, Pictogram::List, "商品番号", 0x2E86DE);
    writeStep(folder, 103, Pictogram::Ledger, "小数点", 0x16A085);
    writeStep(folder, 104, Pictogram::BarChart, "印刷", 0xE67E22);
    writeStep(folder, 105, Pictogram::Gear, "画面", 0x8E44AD);
    writeStep(folder, 106, Pictogram::RisingChart, "経営支援", 0x27AE60);
}

// A navy band that lightens downwards, the gear of the settings and the wizard's name.
void SetupPictures::writeWelcome(PictureFolder& folder) {
    Canvas canvas(WelcomeWidth, WelcomeHeight, Palette::Navy);
    QPainter& p = canvas.Painter();
    QLinearGradient shade(0, 0, 0, WelcomeHeight);
    shade.setColorAt(0, Palette::Navy);
    shade.setColorAt(1, Palette::Blue);
    p.fillRect(QRectF(0, 0, WelcomeWidth, WelcomeHeight), shade);
    Pictogram::Draw(p, Pictogram::Gear, QRectF(42, 70, 80, 80), Qt::white, Palette::Navy);
    canvas.Text(QRectF(0, 170, WelcomeWidth, 30), QStringLiteral("モルビク"), Qt::white, 22, true);
    canvas.Text(QRectF(0, 202, WelcomeWidth, 24), QStringLiteral("初期設定"), Palette::PaleBlue, 16,
                true);
    p.fillRect(QRectF(30, 240, WelcomeWidth - 60, 3), Palette::Accent);
    folder.Write(canvas.Finish(), QStringLiteral("CUSTOM"), 101, WelcomeWidth, WelcomeHeight);
}

// A coloured tile with the page's drawing and its subject in white, on a transparent ground.
void SetupPictures::writeStep(PictureFolder& folder, int id, int kind, const char* label,
                              unsigned colour) {
    Canvas canvas(StepWidth, StepHeight, Qt::transparent);
    const QColor tile(colour);
    canvas.RoundedBox(QRectF(8, 8, StepWidth - 16, StepHeight - 16), 14, tile);
    Pictogram::Draw(canvas.Painter(), static_cast<Pictogram::Kind>(kind),
                    QRectF((StepWidth - 84) / 2.0, 36, 84, 84), Qt::white, tile);
    const QString text = QString::fromUtf8(label);
    const double size = Canvas::FittingSize(text, StepWidth - 32, 20, true);
    canvas.Text(QRectF(8, 136, StepWidth - 16, 40), text, Qt::white, size, true);
    folder.Write(canvas.Finish(), QStringLiteral("CUSTOM"), id, StepWidth, StepHeight);
}
