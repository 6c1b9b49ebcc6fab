#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <cstdint>

#include "platform/forms/PictureBox.h"
#include "platform/runtime/Variant.h"

// The system's push button, drawn on a picture box (the body): a raised face with a
// shadow, an optional picture and a caption, moved down and right while pressed. It
// raises no events: the form forwards the body's MouseDown, MouseUp and KeyDown and
// handles the body's Click itself. Settings show at the next drawing. Measures are twips.
class ExpandButton {
  public:
    ExpandButton() = default;
    ExpandButton(const ExpandButton&) = delete;
    ExpandButton& operator=(const ExpandButton&) = delete;

    // Prepares the body (flat, borderless, persistent drawing, boxes filled) and takes
    // its size as the button's.
    void BodyPictureBox(forms::PictureBox* body);
    // The picture painted on the face in its own size (a null image for none).
    void IconImage(const QImage& picture) { icon_ = picture; }
    // Where the picture goes: 0 left, 1 right, 2 centred; others paint none.
    void IconPosition(int16_t position) { iconPosition_ = position; }
    void BackGroundColor(long color) { backColor_ = color; }
    void Caption(const QString& caption) { caption_ = caption; }
    void Font(const QString& name) { fontName_ = name; }
    // A whole number of points; a value that is no number is ignored.
    void FontSize(const vb::Variant& size);
    // The caption: 0 left, 1 right, 2 centred.
    void Align(int16_t align) { align_ = align; }

    // Forwarded events of the body: pressed on MouseDown and on Enter, normal on MouseUp.
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void KeyDown(int keyCode, int shift);
    // Draws the button normal.
    void Redraw() { DrawButton(false); }

  private:
    void DrawButton(bool pressed);

    QPointer<forms::PictureBox> body_;
    double boxWidth_ = 0;
    double boxHeight_ = 0;
    QImage icon_;
    int16_t iconPosition_ = 0;
    QString caption_;
    QString fontName_ = QStringLiteral("MS UI Gothic");
    int16_t fontSize_ = 11;
    long backColor_ = 0x8000000F;
    int16_t align_ = 0;
};
