#include "WizardPaint.h"

#include <QStringList>

#include "platform/forms/Form.h"

namespace PaintFunc {

void DrawLine(forms::Surface& target, int32_t top, int32_t left, int32_t width, long color) {
    target.Line(left, top, left + width, top, color);
}

void DrawTextLines(forms::Surface& target, const QString& text, int32_t top, int32_t left,
                   const QString& fontName, double fontSize, bool bold, long color) {
    target.SetFontName(fontName);
    target.SetFontSize(fontSize);
    target.SetFontBold(bold);
    target.SetForeColor(color);
    const double lineHeight = target.TextHeight(QStringLiteral("あ")) + 15;
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (int k = 0; k < lines.size(); ++k) {
        target.SetCurrentX(left);
        target.SetCurrentY(top + k * lineHeight);
        target.Print(lines[k], true);
    }
}

}  // namespace PaintFunc

namespace XX共通関数 {

void SetTopMost(forms::Form& form, bool flag) {
    const bool visible = form.isVisible();
    form.setWindowFlag(Qt::WindowStaysOnTopHint, flag);
    if (visible) {
        form.show();
    }
}

}  // namespace XX共通関数
