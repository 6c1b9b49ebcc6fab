#pragma once

#include <cstdint>

// Where the picture-button menu puts its title and its twelve buttons (three rows of
// four), and which frame picture each button shows. Measures are twips.
class MenuGeometry {
  public:
    static constexpr int ButtonCount = 12;
    // A button's hit box, in which its picture is centred.
    static constexpr double BoxWidth = 2130;
    static constexpr double BoxHeight = 1980;

    enum State : int { Normal = 0, Hover = 1, Pressed = 2 };

    struct Rect {
        double Top = 0;
        double Left = 0;
        double Height = 0;
        double Width = 0;
    };

    // Rows at 1200, 3420 and 5640; columns at 900, 3600, 6300 and 9000.
    static double ButtonTop(int index) { return 1200 + (index / 4) * 2220; }
    static double ButtonLeft(int index) { return 900 + (index % 4) * 2700; }
    // "MENU" id of the frame: 10 to 13 by column (14 for the last button), 15 under the
    // pointer, 16 pressed.
    static int32_t FrameId(int index, int state);
    // How far right and down the picture moves: 60 while pressed.
    static double ContentOffset(int state) { return state == Pressed ? 60 : 0; }
    // The button's hit box, its edges included.
    static bool Hits(int index, double x, double y);
    // The title picture of that size centred in the box 5880 wide from 420 and 750 high
    // from 120.
    static Rect TitleRect(double height, double width);
};
