#include "CellEditor.h"

#include <QLineEdit>

#include "CellEditValidator.h"
#include "GridPainter.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/VbColor.h"

namespace CellEditor {

void Open(QLineEdit& editor, CellEditValidator& validator, const QString& fontName, double fontSize,
          const QString& text, int editMode, float maxLength) {
    editor.setFont(forms::resolveFont(fontName, fontSize));
    QPalette colours = editor.palette();
    colours.setColor(QPalette::Base, forms::colorFromVb(GridPainter::HighlightColor));
    editor.setPalette(colours);
    validator.Configure(editMode, maxLength);
    validator.Start(text);
    editor.setText(text);
    editor.selectAll();
    // Numeric cells take no input method; the others leave it to the user.
    editor.setAttribute(Qt::WA_InputMethodEnabled, editMode != 2);
    editor.show();
    editor.raise();
    editor.setFocus(Qt::OtherFocusReason);
}

QString Close(QLineEdit& editor, CellEditValidator& validator) {
    const QString text = editor.text();
    editor.hide();
    validator.Start(QString());
    editor.setText(QString());
    editor.setAttribute(Qt::WA_InputMethodEnabled, true);
    return text;
}

}  // namespace CellEditor
