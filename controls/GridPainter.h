#pragma once

#include "GridLayout.h"
#include "GridRecords.h"
#include "platform/forms/Surface.h"
#include "platform/runtime/VariantArray.h"

// Paints a laid-out grid on its body: cells, colours, the current-cell mark, grid lines
// and texts. The body has been cleared before.
namespace GridPainter {

inline constexpr long HighlightColor = 0xD2BDB6;

// The paged grid: a white cell area, row colours under column colours, the mark filled
// (with an outline inside while the body has the focus), gridLines 0 none, 1 black
// lines, 2 black lines with a white line beside each.
void PaintPaged(forms::Surface& body, const GridLayout& layout, const vb::VariantArray& values,
                const GridCellInfo& current, int gridLines, bool focused);

// The simple grid: column colours, the mark filled and outlined in black (a second
// outline inside while the body has the focus), black and white lines. The body's fill
// style is solid.
void PaintSimple(forms::Surface& body, const GridLayout& layout, const vb::VariantArray& values,
                 const GridCellInfo& current, bool focused);

}  // namespace GridPainter
