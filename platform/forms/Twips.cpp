#include "Twips.h"

#include <QWidget>
#include <algorithm>

namespace forms {

void placeTwips(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(toPixels(left), toPixels(top), std::max(0, toPixels(width)),
                        std::max(0, toPixels(height)));
}

}  // namespace forms
