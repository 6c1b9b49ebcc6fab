#pragma once

#include <QString>
#include <optional>

// Text that reaches a cell from outside its editor, filtered by the column's edit mode
// (0 text, 1 Japanese input, 2 numeric) and maximum length as typed text is.
namespace CellInput {

// Clipboard text for a cell: line ends removed; numeric text trimmed and checked whole
// (nothing when it is no acceptable number); other text cut to the byte limit.
std::optional<QString> Pasted(const QString& text, int editMode, float maxLength);

// The first text typed on a cell that is not being edited: numeric cells take only
// what the numeric filter accepts at the start (nothing otherwise).
std::optional<QString> Typed(const QString& text, int editMode, float maxLength);

}  // namespace CellInput
