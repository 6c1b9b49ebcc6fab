#pragma once

#include <QString>
#include <array>

// The records the grids keep per row, per column, per page and for the current cell.
// Measures are twips in the body; colours are &HBBGGRR numbers (&HFFFFFF: none of its
// own).

inline constexpr long GridNoColor = 0xFFFFFF;

// The eight flags of a column type value: bit 2^i sets flag i, bits above 7 fold into
// flag 7. Flag 0 passed over by the cursor, 1 whole-row highlight, 4 editable, 5 combo.
using ColsTypeFlags = std::array<bool, 8>;
ColsTypeFlags DecodeColsType(int value);

enum GridFlag : int {
    FlagPassedOver = 0,
    FlagRowHighlight = 1,
    FlagEditable = 4,
    FlagCombo = 5,
};

struct GridRowInfo {
    double Top = 0;  // Top and Bottom: the edges as the last layout placed the row
    double Bottom = 0;
    double Height = 0;
    long Color = GridNoColor;
    int Page = 0;
};

struct GridColInfo {
    double Left = 0;  // Left and Right: the edges as the last layout placed the column
    double Right = 0;
    double Width = 0;
    long Color = GridNoColor;
    int Align = 0;  // 0 left, 1 right, 2 centre
    QString Format;
    ColsTypeFlags Flags{};
    int EditMode = 0;  // 0 text, 1 Japanese input, 2 numeric
    float EditMaxLength = 0;
};

struct GridPageInfo {
    int FirstRow = 0;
};

// The current cell: its position, its rectangle for the rows shown (empty when the row
// is not shown), a copy of its column's attributes and its text when it became current.
struct GridCellInfo {
    int Row = -1;
    int Col = -1;
    double Top = 0;
    double Bottom = 0;
    double Left = 0;
    double Right = 0;
    double Height = 0;
    double Width = 0;
    long Color = 0;
    int Align = 0;
    QString Format;
    ColsTypeFlags Flags{};
    int RowHighlight = 0;
    int EditMode = 0;
    float EditMaxLength = 0;
    QString Text;
    bool Valid = false;
};
