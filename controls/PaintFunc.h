#pragma once

#include <QString>
#include <cstdint>

#include "platform/forms/Surface.h"

// Painting helpers for any drawing surface (form or picture box). Measures are twips;
// both take the top before the left.
namespace PaintFunc {

// Draws the picture of a resource ("MENU", "CUSTOM", ...) in its own size with its
// top-left corner at (left, top): copied with mode 0, otherwise ANDed onto what is
// drawn (its white parts let the surface show through). A resource without a picture
// draws nothing and gives false.
bool PaintResourcePicture(forms::Surface& target, int32_t resourceId, const QString& resourceType,
                          int32_t top, int32_t left, int16_t mode);
// A rectangle from (left, top) to (left + width, top + height) filled with the fill
// colour and outlined in the line colour, or in the fill colour when that is -1. Leaves
// the surface's fill style solid and its fill colour the fill colour.
void FillBox(forms::Surface& target, int32_t top, int32_t left, int32_t height, int32_t width,
             long fillColor, long lineColor);

}  // namespace PaintFunc
