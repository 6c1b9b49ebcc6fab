#pragma once

#include <QString>
#include <cstdint>

namespace forms {
class Form;
class PictureBox;
}  // namespace forms

// The panel that shows the progress of the migration run: an icon, a message and a
// gauge of up to ten steps, drawn on a picture box centred in the wizard's window. The
// box is hidden again when the panel is released.
class ExpandProgressbar {
  public:
    ExpandProgressbar() = default;
    ~ExpandProgressbar();
    ExpandProgressbar(const ExpandProgressbar&) = delete;
    ExpandProgressbar& operator=(const ExpandProgressbar&) = delete;

    void Message(const QString& argMessage) { message_ = argMessage; }
    void IconImage(int32_t argImageID) { iconImage_ = argImageID; }
    void GaugeImage(int32_t argImageID) { gaugeImage_ = argImageID; }
    // Draws the gauge with n steps filled.
    void Value(int16_t n);
    void Show(forms::PictureBox& surface, forms::Form& owner);

  private:
    QString message_ = QStringLiteral("処理しています。しばらくお待ちください。");
    int32_t iconImage_ = 2;
    int32_t gaugeImage_ = 3;
    forms::PictureBox* surface_ = nullptr;
};
