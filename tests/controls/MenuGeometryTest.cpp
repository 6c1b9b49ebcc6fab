#include <gtest/gtest.h>

#include "controls/MenuGeometry.h"

namespace {

struct Place {
    int index;
    double top;
    double left;
    int32_t frame;
};

TEST(MenuGeometryTest, PlacesTwelveButtonsInThreeRowsOfFour) {
    const Place places[] = {
        {0, 1200, 900, 10}, {1, 1200, 3600, 11}, {2, 1200, 6300, 12},  {3, 1200, 9000, 13},
        {4, 3420, 900, 10}, {5, 3420, 3600, 11}, {6, 3420, 6300, 12},  {7, 3420, 9000, 13},
        {8, 5640, 900, 10}, {9, 5640, 3600, 11}, {10, 5640, 6300, 12}, {11, 5640, 9000, 14},
    };
    for (const Place& place : places) {
        SCOPED_TRACE(place.index);
        EXPECT_DOUBLE_EQ(MenuGeometry::ButtonTop(place.index), place.top);
        EXPECT_DOUBLE_EQ(MenuGeometry::ButtonLeft(place.index), place.left);
        EXPECT_EQ(MenuGeometry::FrameId(place.index, MenuGeometry::Normal), place.frame);
        EXPECT_EQ(MenuGeometry::FrameId(place.index, MenuGeometry::Hover), 15);
        EXPECT_EQ(MenuGeometry::FrameId(place.index, MenuGeometry::Pressed), 16);
    }
    EXPECT_DOUBLE_EQ(MenuGeometry::ContentOffset(MenuGeometry::Normal), 0);
    EXPECT_DOUBLE_EQ(MenuGeometry::ContentOffset(MenuGeometry::Hover), 0);
    EXPECT_DOUBLE_EQ(MenuGeometry::ContentOffset(MenuGeometry::Pressed), 60);
}

TEST(MenuGeometryTest, HitBoxesIncludeTheirEdgesAndNotTheGaps) {
    struct Point {
        double x;
        double y;
        int index;  // the button hit, -1 none
    };
    const Point points[] = {
        {900, 1200, 0},                                            // top-left corner
        {900 + 2130, 1200, 0},                                     // right edge
        {900, 1200 + 1980, 0},                                     // bottom edge
        {3030.5, 2000, -1},                                        // the 570 twips between columns
        {3599, 2000, -1},      {3600, 2000, 1}, {1000, 3181, -1},  // the 240 twips between rows
        {1000, 3419, -1},      {1000, 3420, 4}, {9000 + 2130, 5640 + 1980, 11},
        {899, 1200, -1},       {900, 1199, -1},
    };
    for (const Point& point : points) {
        SCOPED_TRACE(testing::Message() << point.x << ", " << point.y);
        int hit = -1;
        for (int index = 0; index < MenuGeometry::ButtonCount && hit < 0; ++index) {
            if (MenuGeometry::Hits(index, point.x, point.y)) {
                hit = index;
            }
        }
        EXPECT_EQ(hit, point.index);
    }
}

TEST(MenuGeometryTest, CentresTheTitleInItsBox) {
    const MenuGeometry::Rect title = MenuGeometry::TitleRect(27 * 15, 100 * 15);
    EXPECT_DOUBLE_EQ(title.Top, 120 + (750 - 405) / 2.0);
    EXPECT_DOUBLE_EQ(title.Left, 420 + (5880 - 1500) / 2.0);
    EXPECT_DOUBLE_EQ(title.Height, 405);
    EXPECT_DOUBLE_EQ(title.Width, 1500);
}

}  // namespace
