#include "OverBody.h"

#include <QWidget>
#include <algorithm>

#include "platform/forms/Twips.h"

namespace OverBody {

QPoint Point(const QWidget* body, const QWidget* widget, double x, double y) {
    const QPoint pixel(forms::toPixels(x), forms::toPixels(y));
    const QWidget* parent = widget->parentWidget();
    if (parent == nullptr) {
        return body->mapToGlobal(pixel);
    }
    if (parent->isAncestorOf(body)) {
        return body->mapTo(parent, pixel);
    }
    return parent->mapFromGlobal(body->mapToGlobal(pixel));
}

void Place(const QWidget* body, QWidget* widget, double x, double y, double width, double height) {
    const QPoint at = Point(body, widget, x, y);
    widget->setGeometry(at.x(), at.y(), std::max(1, forms::toPixels(width)),
                        std::max(1, forms::toPixels(height)));
}

}  // namespace OverBody
