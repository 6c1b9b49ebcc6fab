#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

#include "Event.h"

namespace forms {

// Raster operations of PaintPicture.
enum RasterOp : long {
    vbSrcCopy = 0xCC0020,
    vbSrcPaint = 0xEE0086,   // source OR destination
    vbSrcAnd = 0x8800C6,     // source AND destination
    vbSrcInvert = 0x660046,  // source XOR destination
};

enum VbFillStyle : int { vbFSSolid = 0, vbFSTransparent = 1 };

enum VbMousePointer : int {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
};

// A drawing surface as forms and picture boxes are: drawing persists in a backing
// image (kept across repaints, resized keeping its contents), all measures are twips
// from the top-left corner of the inner area, colours are the runtime's numbers.
// Input arrives as the runtime's events, with twips, button and shift numbers and
// virtual-key codes.
class Surface : public QWidget {
  public:
    explicit Surface(QWidget* parent = nullptr);

    // Fills the surface with BackColor; CurrentX and CurrentY become 0.
    void Cls();
    // A line from (x1, y1) to (x2, y2), or with box the rectangle between the two
    // corners: outlined and filled with FillColor when FillStyle is solid, or with
    // filled the whole rectangle in the colour. Without a colour, ForeColor.
    // CurrentX and CurrentY move to (x2, y2).
    void Line(double x1, double y1, double x2, double y2, std::optional<long> color = std::nullopt,
              bool box = false, bool filled = false);
    // Text in ForeColor with its top-left corner at (CurrentX, CurrentY); a line break
    // starts the next line at x 0. Afterwards CurrentX is 0 and CurrentY one line lower,
    // or with stayOnLine CurrentX is after the text on the same line.
    void Print(const QString& text, bool stayOnLine = false);
    double TextWidth(const QString& text) const;   // the widest line
    double TextHeight(const QString& text) const;  // line height times lines
    // A picture at (x, y), in its own size or scaled to width and height, from the
    // whole picture or the part at (srcX, srcY) of srcWidth and srcHeight (all twips,
    // a negative size meaning the rest of the picture). Transparent parts of the
    // picture leave the surface as it is with every operation.
    void PaintPicture(const QImage& picture, double x, double y, RasterOp op = vbSrcCopy);
    void PaintPicture(const QImage& picture, double x, double y, double width, double height,
                      double srcX = 0, double srcY = 0, double srcWidth = -1, double srcHeight = -1,
                      RasterOp op = vbSrcCopy);
    // The colour at a point, -1 outside the surface.
    long Point(double x, double y) const;
    // Repaints at once.
    void Refresh();
    // The persistent drawing.
    const QImage& Image() const;

    double ScaleWidth() const;
    double ScaleHeight() const;
    double CurrentX() const { return currentX_; }
    void SetCurrentX(double x) { currentX_ = x; }
    double CurrentY() const { return currentY_; }
    void SetCurrentY(double y) { currentY_ = y; }

    long ForeColor() const { return foreColor_; }
    void SetForeColor(long color) { foreColor_ = color; }
    // Setting the background colour clears the drawing (Cls).
    long BackColor() const { return backColor_; }
    void SetBackColor(long color);
    long FillColor() const { return fillColor_; }
    void SetFillColor(long color) { fillColor_ = color; }
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int style) { fillStyle_ = style; }

    QString FontName() const { return fontName_; }
    void SetFontName(const QString& name);
    double FontSize() const { return fontSize_; }
    void SetFontSize(double points);
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool bold);

    // On (the default), the drawing persists. Off, every repaint starts from BackColor
    // and raises Paint, whose handler draws again.
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on);

    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);

    bool Enabled() const { return isEnabled(); }
    void SetEnabled(bool enabled) { setEnabled(enabled); }

    Event<int, int, double, double> MouseDown;  // button, shift, x, y
    Event<int, int, double, double> MouseMove;  // buttons held, shift, x, y
    Event<int, int, double, double> MouseUp;
    Event<> Click;
    Event<> DblClick;
    Event<int, int> KeyDown;  // key code, shift
    Event<int> KeyPress;      // character
    Event<int, int> KeyUp;
    Event<> GotFocus;
    Event<> LostFocus;
    Event<> Paint;
    Event<> Resize;  // the inner size changed

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Brings the backing image to the inner size, keeping what is drawn.
    void fitImage() const;
    void updateFont();
    void changed();
    QPointF twipsAt(const QPointF& widgetPosition) const;

    mutable QImage image_;
    QFont font_;
    QString fontName_;
    double fontSize_;
    bool fontBold_ = false;
    double currentX_ = 0;
    double currentY_ = 0;
    long foreColor_;
    long backColor_;
    long fillColor_ = 0;
    int fillStyle_ = vbFSTransparent;
    bool autoRedraw_ = true;
    int mousePointer_ = vbDefault;
    bool pressed_ = false;
    bool afterDoubleClick_ = false;
    bool focused_ = false;
    bool inPaint_ = false;
};

}  // namespace forms
