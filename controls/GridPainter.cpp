#include "GridPainter.h"

#include "CellText.h"

namespace GridPainter {

namespace {

constexpr long Black = 0x000000;
constexpr double FocusInset = 60;  // twips between the mark's outline and the focus one
constexpr long White = 0xFFFFFF;

// A black outline inside the current-cell mark while the body has the focus.
void paintFocus(forms::Surface& body, double left, double top, double right, double bottom) {
    if (right - left > 2 * FocusInset && bottom - top > 2 * FocusInset) {
        body.Line(left + FocusInset, top + FocusInset, right - FocusInset, bottom - FocusInset,
                  Black, true);
    }
}

void paintTexts(forms::Surface& body, const GridLayout& layout, const vb::VariantArray& values) {
    for (int r = layout.TopRow(); r <= layout.LastShownRow(); ++r) {
        const GridRowInfo& row = layout.Row(r);
        for (int c = 0; c <= layout.LastShownCol(); ++c) {
            if (r >= values.rows() || c >= values.cols()) {
                continue;
            }
            const GridColInfo& col = layout.Col(c);
            const QString text = CellText::Display(values(r, c), col.Format);
            const CellText::Origin origin =
                CellText::Place(col.Align, col.Left, col.Right, row.Top, row.Bottom,
                                body.TextWidth(text), body.TextHeight(text));
            body.SetCurrentX(origin.x);
            body.SetCurrentY(origin.y);
            body.Print(text, true);
        }
    }
}

}  // namespace

void PaintPaged(forms::Surface& body, const GridLayout& layout, const vb::VariantArray& values,
                const GridCellInfo& current, int gridLines, bool focused) {
    const double width = layout.DrawnWidth();
    const double height = layout.DrawnHeight();
    if (width <= 0 || height <= 0) {
        return;
    }
    body.Line(0, 0, width, height, White, true, true);
    for (int r = layout.TopRow(); r <= layout.LastShownRow(); ++r) {
        const GridRowInfo& row = layout.Row(r);
        if (row.Color != GridNoColor) {
            body.Line(0, row.Top, width, row.Bottom, row.Color, true, true);
        }
    }
    for (int c = 0; c <= layout.LastShownCol(); ++c) {
        const GridColInfo& col = layout.Col(c);
        if (col.Color != GridNoColor) {
            body.Line(col.Left, 0, col.Right, height, col.Color, true, true);
        }
    }
    if (current.Valid && current.Top < current.Bottom) {
        const bool wholeRow = current.RowHighlight == 1;
        if (wholeRow || current.Left < current.Right) {
            const double left = wholeRow ? 0 : current.Left;
            const double right = wholeRow ? width : current.Right;
            body.Line(left, current.Top, right, current.Bottom, HighlightColor, true, true);
            if (focused) {
                paintFocus(body, left, current.Top, right, current.Bottom);
            }
        }
    }
    if (gridLines == 1 || gridLines == 2) {
        for (int r = layout.TopRow(); r <= layout.LastShownRow(); ++r) {
            const double bottom = layout.Row(r).Bottom;
            body.Line(0, bottom, width + 20, bottom, Black);
            if (gridLines == 2) {
                body.Line(0, bottom + 15, width, bottom + 15, White);
            }
        }
        for (int c = 0; c <= layout.LastShownCol(); ++c) {
            const double right = layout.Col(c).Right;
            body.Line(right, 0, right, height + 20, Black);
            if (gridLines == 2) {
                body.Line(right + 15, 0, right + 15, height, White);
            }
        }
        if (gridLines == 2) {
            body.Line(0, 0, width, 0, White);
            body.Line(0, 0, 0, height, White);
        }
    }
    paintTexts(body, layout, values);
}

void PaintSimple(forms::Surface& body, const GridLayout& layout, const vb::VariantArray& values,
                 const GridCellInfo& current, bool focused) {
    const double width = layout.DrawnWidth();
    const double height = layout.DrawnHeight();
    for (int c = 0; c <= layout.LastShownCol(); ++c) {
        const GridColInfo& col = layout.Col(c);
        body.Line(col.Left, 0, col.Right, height, col.Color, true, true);
    }
    if (current.Valid && current.Top < current.Bottom) {
        body.SetFillColor(HighlightColor);
        const bool wholeRow = current.Flags[FlagRowHighlight];
        body.Line(wholeRow ? 0 : current.Left, current.Top, wholeRow ? width : current.Right,
                  current.Bottom, Black, true);
        if (focused) {
            paintFocus(body, current.Left, current.Top, current.Right, current.Bottom);
        }
    }
    body.Line(0, 0, width, 0, White);
    for (int r = layout.TopRow(); r <= layout.LastShownRow(); ++r) {
        const double bottom = layout.Row(r).Bottom;
        body.Line(0, bottom, width + 20, bottom, Black);
        body.Line(0, bottom + 15, width, bottom + 15, White);
    }
    body.Line(0, 0, 0, height, White);
    for (int c = 0; c <= layout.LastShownCol(); ++c) {
        const double right = layout.Col(c).Right;
        body.Line(right, 0, right, height + 20, Black);
        body.Line(right + 15, 0, right + 15, height, White);
    }
    paintTexts(body, layout, values);
}

}  // namespace GridPainter
