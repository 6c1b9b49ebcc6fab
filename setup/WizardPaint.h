#pragma once

#include <QString>
#include <cstdint>

#include "platform/forms/Surface.h"

namespace forms {
class Form;
}

// The drawing procedures of the installation wizards, whose pages are drawn on the form
// surface. Measures are twips, the top before the left.
namespace PaintFunc {

// A horizontal line from (left, top) to (left + width, top).
void DrawLine(forms::Surface& target, int32_t top, int32_t left, int32_t width, long color);
// The text's lines (split at CR LF), the first at (left, top) and each further one a line
// height (the height of "あ" + 15) lower, in the given font and colour.
void DrawTextLines(forms::Surface& target, const QString& text, int32_t top, int32_t left,
                   const QString& fontName, double fontSize, bool bold, long color);

}  // namespace PaintFunc

namespace XX共通関数 {

// Keeps the form above all other windows (flag true) or lets it go behind them again.
void SetTopMost(forms::Form& form, bool flag);

}  // namespace XX共通関数
