#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

// One picture being drawn: an image of a fixed pixel size with an antialiased painter.
class Canvas {
  public:
    // A transparent background makes a picture with an alpha channel.
    Canvas(int width, int height, const QColor& background);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QPainter& Painter() { return painter_; }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // Ends the drawing and hands the picture over.
    QImage Finish();

    // The Gothic face of the pictures at a pixel size.
    static QFont PictureFont(double pixelSize, bool bold);
    // The largest pixel size up to maxPixelSize at which every line fits width.
    static double FittingSize(const QString& text, double width, double maxPixelSize, bool bold);

    // Text in a box with Qt alignment flags; lines are split at "\n".
    void Text(const QRectF& box, const QString& text, const QColor& colour, double pixelSize,
              bool bold, int flags = Qt::AlignCenter);
    void RoundedBox(const QRectF& box, double radius, const QColor& fill);
    void RoundedFrame(const QRectF& box, double radius, const QColor& fill, const QColor& line,
                      double lineWidth);

  private:
    QImage image_;
    QPainter painter_;
};
