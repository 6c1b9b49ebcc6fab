#pragma once

#include <cstdint>
#include <optional>

#include "platform/forms/PictureBox.h"

// The raised face shared by the drop-down list and the push button: a background, a
// grey shadow to the bottom right, the face outlined in black with white highlights at
// the top and left, moved by the pressed offset. Measures are twips.
class RaisedFace {
  public:
    static constexpr double ShadowOffset = 60;
    static constexpr double PressedOffset = 45;

    // Flat, borderless, persistent drawing, boxes filled with the fill colour.
    static void PrepareBody(forms::PictureBox& body);
    static void Draw(forms::PictureBox& body, double width, double height, double offset,
                     long background, long face);
    // Where text of that width starts in an area of that width: 0 left (165 in), 1 right
    // (120 from the edge), 2 centred, moved by the offset; none for other alignments.
    static std::optional<double> TextLeft(int16_t align, double areaWidth, double textWidth,
                                          double offset);
};
