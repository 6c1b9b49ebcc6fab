#include <gtest/gtest.h>

#include <QFile>

#include "core/XXPictureFunctions.h"

namespace {

using XX共通関数::LoadResourcePicture;

QSize sizeOf(int32_t id, const char* type) {
    return LoadResourcePicture(id, vb::Variant(type)).size();
}

TEST(PictureResourceTest, TheMenuPicturesHaveTheirSizes) {
    EXPECT_EQ(sizeOf(1, "MENU"), QSize(1000, 66));
    EXPECT_EQ(sizeOf(2, "MENU"), QSize(406, 50));
    for (int32_t frame = 10; frame <= 15; ++frame) {
        EXPECT_EQ(sizeOf(frame, "MENU"), QSize(148, 139)) << frame;
    }
    EXPECT_EQ(sizeOf(16, "MENU"), QSize(149, 140));
    EXPECT_EQ(sizeOf(1, "TITLE"), QSize(100, 27));
    EXPECT_EQ(sizeOf(2, "TITLE"), QSize(306, 33));
    EXPECT_EQ(sizeOf(3, "TITLE"), QSize(262, 36));
}

TEST(PictureResourceTest, BothPictureSetsHoldEveryMenuButton) {
    for (int32_t base = 10; base <= 160; base += 10) {
        SCOPED_TRACE(base);
        const QSize plain = sizeOf(base, "CUSTOM");
        EXPECT_GE(plain.width(), 64);
        EXPECT_LE(plain.width(), 129);
        EXPECT_GE(plain.height(), 35);
        EXPECT_LE(plain.height(), 115);
        const bool tall = base == 90 || base == 100 || base == 110;
        EXPECT_EQ(sizeOf(base + 1, "CUSTOM"), QSize(130, tall ? 131 : 130));
    }
    for (int32_t id = 1; id <= 9; ++id) {
        EXPECT_FALSE(LoadResourcePicture(id, vb::Variant("PICKER")).isNull()) << id;
    }
}

TEST(PictureResourceTest, AMissingResourceGivesNoPicture) {
    EXPECT_TRUE(LoadResourcePicture(12, vb::Variant("CUSTOM")).isNull());
    EXPECT_TRUE(LoadResourcePicture(1, vb::Variant("NOSUCH")).isNull());
    EXPECT_TRUE(LoadResourcePicture(1, vb::Variant(vb::Null)).isNull());
}

TEST(PictureResourceTest, ANumericTypeSelectsAStandardType) {
    EXPECT_EQ(LoadResourcePicture(3, vb::Variant(static_cast<int16_t>(0))).size(), QSize(4, 3));
    EXPECT_EQ(LoadResourcePicture(3, vb::Variant("0")).size(), QSize(4, 3));
    EXPECT_EQ(LoadResourcePicture(3, vb::Variant()).size(), QSize(4, 3));  // Empty counts as 0
    EXPECT_TRUE(LoadResourcePicture(3, vb::Variant(static_cast<int16_t>(1))).isNull());
    EXPECT_TRUE(LoadResourcePicture(3, vb::Variant(1e9)).isNull());  // no 16-bit type
}

TEST(PictureResourceTest, DecodesTheBytesOfAnImageFile) {
    QFile footer(QStringLiteral(":/MENU/2"));
    ASSERT_TRUE(footer.open(QIODevice::ReadOnly));
    EXPECT_EQ(XX共通関数::PictureFromBytes(footer.readAll()).size(), QSize(406, 50));
    EXPECT_TRUE(XX共通関数::PictureFromBytes(QByteArray("GIF89a broken")).isNull());
    EXPECT_TRUE(XX共通関数::PictureFromBytes(QByteArray()).isNull());
}

}  // namespace
