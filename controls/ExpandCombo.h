#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <cstdint>

#include "DropDownModel.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Variant.h"

// The system's drop-down list, drawn on a picture box (the body): a raised box showing
// the chosen item and, while open, the list of items below it inside the same body,
// which grows for it (so the body must lie above what the list covers). It raises no
// events: the form forwards the body's mouse, key and focus events to the methods of
// the same names and learns of a choice from the body's Click and Enter, then reads the
// chosen item. Measures are twips.
class ExpandCombo {
  public:
    ExpandCombo() = default;
    ExpandCombo(const ExpandCombo&) = delete;
    ExpandCombo& operator=(const ExpandCombo&) = delete;

    // Prepares the body (flat, borderless, persistent drawing, boxes filled) and takes
    // its size as the closed box.
    void BodyPictureBox(forms::PictureBox* body);
    // The picture painted on the face in its own size (a null image for none).
    void IconImage(const QImage& picture) { icon_ = picture; }
    // 0 and 1 paint the picture at the face's top-left corner, others nothing.
    void IconPosition(int16_t position) { iconPosition_ = position; }
    void BackGroundColor(long color) { backColor_ = color; }
    void Font(const QString& name) { fontName_ = name; }
    // A whole number of points; a value that is no number is ignored.
    void FontSize(const vb::Variant& size);
    // 0 left, 1 right, 2 centred.
    void Align(int16_t align) { align_ = align; }
    // The height by which an item's text is centred.
    void ListHeight(int16_t index, int32_t height) { model_.SetItemHeight(index, height); }

    // Highlights and chooses the item and closes the list.
    void ListIndex(int16_t index);
    // The highlighted item, -1 none.
    int16_t ListIndex() const { return model_.Highlighted().Index; }
    int16_t ListCount() const { return model_.Count(); }
    // The highlighted item's value.
    vb::Variant List(int16_t = 0) const { return model_.Highlighted().Value; }
    // The chosen item, shown on the face: changed only by a release in the list, Enter
    // and ListIndex, so a highlight abandoned by Escape or a focus loss does not count.
    int16_t ChosenIndex() const { return model_.Chosen().Index; }
    vb::Variant ChosenItem() const { return model_.Chosen().Value; }
    // Appends an item (a text, or an array whose element 0 is the text) and closes.
    void AddItem(const vb::Variant& value);
    // No items and no marks; nothing is redrawn.
    void Clear() { model_.Clear(); }

    // Forwarded events of the body.
    void MouseDown(int button, int shift, double x, double y);
    void MouseUp(int button, int shift, double x, double y);
    void MouseMove(int button, int shift, double x, double y);
    // Enter chooses the highlighted item and closes, Escape closes, Up and Down move the
    // highlight and open.
    void KeyDown(int keyCode, int shift);
    // The list is shown below the box.
    bool IsOpen() const;
    void GotFocus() { redrawOpen(); }
    void LostFocus() { redrawClosed(); }

  private:
    void DrawBox(int state);
    void DrawList(int state);
    void redrawOpen();
    void redrawClosed();

    QPointer<forms::PictureBox> body_;
    DropDownModel model_;
    QImage icon_;
    int16_t iconPosition_ = 0;
    long backColor_ = 0x8000000F;
    QString fontName_ = QStringLiteral("MS UI Gothic");
    int16_t fontSize_ = 12;
    int16_t align_ = 0;
    int32_t boxWidth_ = 0;
    double lastX_ = 0;
    double lastY_ = 0;
};
