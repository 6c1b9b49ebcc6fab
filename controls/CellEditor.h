#pragma once

#include <QString>

class QLineEdit;
class CellEditValidator;

// Opening and closing a grid's in-place text editor.
namespace CellEditor {

// Gives the editor the grid's font, the highlight background, the cell's text (all of
// it selected), the input method and filter of the edit mode, shows it and gives it
// the focus. The editor has been placed already.
void Open(QLineEdit& editor, CellEditValidator& validator, const QString& fontName, double fontSize,
          const QString& text, int editMode, float maxLength);

// Hides the editor and empties it; the text it held is the result.
QString Close(QLineEdit& editor, CellEditValidator& validator);

}  // namespace CellEditor
