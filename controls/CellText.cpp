#include "CellText.h"

#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace CellText {

QString Plain(const vb::Variant& value) {
    if (value.isNull() || value.isArray()) {
        return {};
    }
    return value.toString();
}

QString Display(const vb::Variant& value, const QString& format) {
    if (vb::Trim(format).isEmpty()) {
        return Plain(value);
    }
    try {
        return vb::Format(value, format);
    } catch (const vb::RuntimeError&) {
        return Plain(value);
    }
}

Origin Place(int align, double left, double right, double top, double bottom, double textWidth,
             double textHeight) {
    double x = left + 75;
    if (align == 1) {
        x = right - textWidth - 60;
    } else if (align == 2) {
        x = left + (right - left - textWidth) / 2;
    }
    return {x, top + (bottom - top - textHeight) / 2};
}

}  // namespace CellText
