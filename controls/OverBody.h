#pragma once

#include <QPoint>

class QWidget;

// Places a widget (a cell editor) over a point of a body given in twips from the
// body's outer top-left corner, whatever the widget's parent is.
namespace OverBody {

// The point in the widget's parent, in pixels.
QPoint Point(const QWidget* body, const QWidget* widget, double x, double y);

// Sets the widget's geometry: the point above, and a size in twips.
void Place(const QWidget* body, QWidget* widget, double x, double y, double width, double height);

}  // namespace OverBody
