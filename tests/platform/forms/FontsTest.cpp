#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>

#include "platform/forms/Fonts.h"

namespace forms {
namespace {

TEST(Fonts, JapaneseFacesResolveToAnInstalledFamilyWithJapaneseGlyphs) {
    const QStringList names{QStringLiteral("MS UI Gothic"),  QStringLiteral("MSゴシック"),
                            QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ Ｐゴシック"),
                            QStringLiteral("ＭＳ 明朝"),     QStringLiteral("No Such Font")};
    for (const QString& name : names) {
        const QFont font = resolveFont(name, 10);
        EXPECT_TRUE(QFontDatabase::hasFamily(font.family())) << name.toStdString();
        const QFontMetrics metrics(font);
        EXPECT_TRUE(metrics.inFontUcs4(U'あ')) << name.toStdString();
        EXPECT_TRUE(metrics.inFontUcs4(U'漢')) << name.toStdString();
    }
}

TEST(Fonts, FixedAndProportionalGothicStayApart) {
    EXPECT_EQ(resolveFontFamily(QStringLiteral("ＭＳ ゴシック")),
              resolveFontFamily(QStringLiteral("MSゴシック")));
    EXPECT_EQ(resolveFontFamily(QStringLiteral("MS UI Gothic")),
              resolveFontFamily(QStringLiteral("ＭＳ Ｐゴシック")));
    const QFontMetrics fixed(resolveFont(QStringLiteral("ＭＳ ゴシック"), 10));
    EXPECT_EQ(fixed.horizontalAdvance(QStringLiteral("i")),
              fixed.horizontalAdvance(QStringLiteral("W")));
}

TEST(Fonts, AnInstalledFamilyIsKept) {
    const QString installed = QFontDatabase::families().value(0);
    ASSERT_FALSE(installed.isEmpty());
    EXPECT_EQ(resolveFontFamily(installed), installed);
}

TEST(Fonts, PointsArePixelsAtNinetySixDotsPerInch) {
    EXPECT_EQ(fontPixelSize(10), 13);
    EXPECT_EQ(fontPixelSize(9.75), 13);
    EXPECT_EQ(fontPixelSize(12), 16);
    EXPECT_EQ(fontPixelSize(0), 1);
    const QFont font = resolveFont(QStringLiteral("MS UI Gothic"), 14, true);
    EXPECT_EQ(font.pixelSize(), 19);
    EXPECT_TRUE(font.bold());
}

}  // namespace
}  // namespace forms
