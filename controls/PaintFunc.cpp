#include "PaintFunc.h"

#include "core/XXPictureFunctions.h"

namespace PaintFunc {

bool PaintResourcePicture(forms::Surface& target, int32_t resourceId, const QString& resourceType,
                          int32_t top, int32_t left, int16_t mode) {
    const QImage picture = XX共通関数::LoadResourcePicture(resourceId, vb::Variant(resourceType));
    if (picture.isNull()) {
        return false;
    }
    target.PaintPicture(picture, left, top, mode == 0 ? forms::vbSrcCopy : forms::vbSrcAnd);
    return true;
}

void FillBox(forms::Surface& target, int32_t top, int32_t left, int32_t height, int32_t width,
             long fillColor, long lineColor) {
    target.SetFillStyle(forms::vbFSSolid);
    target.SetFillColor(fillColor);
    target.Line(left, top, left + width, top + height, lineColor == -1 ? fillColor : lineColor,
                true);
}

}  // namespace PaintFunc
