#include <gtest/gtest.h>

#include <map>

#include "screens/menu/MenuLayout.h"

namespace {

// Button index -> picture id as a page assigns them, and the order of assignment.
std::map<int16_t, int32_t> pictures(const MenuLayout::Page& page) {
    std::map<int16_t, int32_t> ids;
    for (const MenuLayout::Assignment& button : page.buttons) {
        EXPECT_FALSE(ids.count(button.index)) << "button " << button.index << " assigned twice";
        ids[button.index] = button.pictureId;
    }
    return ids;
}

std::vector<int16_t> order(const MenuLayout::Page& page) {
    std::vector<int16_t> indexes;
    for (const MenuLayout::Assignment& button : page.buttons) {
        indexes.push_back(button.index);
    }
    return indexes;
}

TEST(MenuLayoutTest, TheVariantIsTheThirdCharacterOfTheTrimmedSystemCode) {
    EXPECT_EQ(MenuLayout::SupportVariant("NEO000001"), QChar(u'O'));
    EXPECT_EQ(MenuLayout::SupportVariant("CVA030101"), QChar(u'A'));
    EXPECT_EQ(MenuLayout::SupportVariant("  NVR"), QChar(u'R'));
    EXPECT_EQ(MenuLayout::SupportVariant("NE"), QChar());
    EXPECT_EQ(MenuLayout::SupportVariant(""), QChar());
}

TEST(MenuLayoutTest, EachMenuOfEachPictureSetAndVariant) {
    // Picture ids for set 0; set 1 adds 1 to every shown picture. 0 marks "hidden".
    struct Case {
        int16_t menu;
        char16_t variant;
        const char* title;
        int32_t titleImage;
        std::map<int16_t, int32_t> buttons;
    };
    const std::map<int16_t, int32_t> maintenance = {{0, 90},  {1, 100}, {2, 110}, {3, 120},
                                                    {4, 130}, {5, 0},   {6, 0},   {11, 140}};
    const std::map<int16_t, int32_t> mainWithSupport = {{0, 10}, {1, 20}, {2, 30}, {3, 40},
                                                        {4, 50}, {5, 60}, {6, 70}, {11, 80}};
    const Case cases[] = {
        {0, u'O', "メニュー", 1, {{0, 10}, {1, 20}, {2, 30}, {3, 40}, {4, 50}, {5, 70}, {11, 80}}},
        {0, u'A', "メニュー", 1, mainWithSupport},
        {0, u'R', "メニュー", 1, mainWithSupport},
        {0, u'L', "メニュー", 1, mainWithSupport},
        {0, u'\0', "メニュー", 1, mainWithSupport},
        {1, u'O', "メンテナンスメニュー", 2, maintenance},
        {1, u'A', "メンテナンスメニュー", 2, maintenance},
        {2,
         u'A',
         "経営支援メニュー",
         3,
         {{0, 150}, {1, 160}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {11, 140}}},
        {2,
         u'R',
         "経営支援メニュー",
         3,
         {{0, 150}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {11, 140}}},
        {2,
         u'L',
         "経営支援メニュー",
         3,
         {{0, 160}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {11, 140}}},
        // No support screens offered: only the way back.
        {2,
         u'O',
         "経営支援メニュー",
         3,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {11, 140}}},
        {2,
         u'\0',
         "経営支援メニュー",
         3,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {11, 140}}},
    };
    for (const Case& c : cases) {
        for (uint8_t theme : {0, 1}) {
            SCOPED_TRACE(testing::Message()
                         << "menu " << c.menu << " variant " << static_cast<char>(c.variant)
                         << " set " << int(theme));
            MenuLayout::Page page;
            ASSERT_TRUE(MenuLayout::PageOf(c.menu, theme, QChar(c.variant), page));
            EXPECT_EQ(page.title, c.title);
            EXPECT_EQ(page.titleImage, c.titleImage);
            std::map<int16_t, int32_t> expected;
            for (const auto& [index, base] : c.buttons) {
                expected[index] = base == 0 ? -1 : base + theme;
            }
            EXPECT_EQ(pictures(page), expected);
            // In index order: 0 upwards, then 11.
            const std::vector<int16_t> indexes = order(page);
            EXPECT_TRUE(std::is_sorted(indexes.begin(), indexes.end()));
        }
    }
}

TEST(MenuLayoutTest, OtherMenuNumbersHaveNoPage) {
    MenuLayout::Page page;
    EXPECT_FALSE(MenuLayout::PageOf(3, 0, QChar(u'A'), page));
    EXPECT_FALSE(MenuLayout::PageOf(-1, 0, QChar(u'A'), page));
    EXPECT_TRUE(page.buttons.empty());
}

}  // namespace
