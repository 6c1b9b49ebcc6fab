#pragma once

#include <QString>

#include "Event.h"
#include "Surface.h"

namespace forms {

// A picture box: a child control with persistent drawing on which the system's own
// controls draw. Position and size are twips in the parent, border included; the
// drawing area (ScaleWidth, ScaleHeight) lies inside the border. It takes the focus by
// click and by Tab; typed Japanese text of the input method arrives as InputText.
class PictureBox : public Surface {
  public:
    explicit PictureBox(QWidget* parent);

    double Left() const;
    void SetLeft(double left);
    double Top() const;
    void SetTop(double top);
    double Width() const;
    void SetWidth(double width);
    double Height() const;
    void SetHeight(double height);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

    // 0 none, 1 fixed single (the default).
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int style);
    // 0 flat (a one-pixel line), 1 three-dimensional (a two-pixel sunken edge, the default).
    int Appearance() const { return appearance_; }
    void SetAppearance(int appearance);

    bool Visible() const { return !isHidden(); }
    void SetVisible(bool visible) { setVisible(visible); }
    // Gives the box the keyboard focus; does nothing while it cannot take it (hidden,
    // disabled, or taking no focus), except on a form at work, which gives it the focus
    // when the work ends.
    void SetFocus();
    // 0 brings the box in front of its siblings, 1 behind them.
    void ZOrder(int position = 0);
    // On, Tab and Shift+Tab reach KeyDown instead of moving the focus.
    bool WantsTab() const { return wantsTab_; }
    void SetWantsTab(bool wants) { wantsTab_ = wants; }

    Event<const QString&> InputText;  // text committed by the input method

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    int borderPixels() const;
    void applyBorder();

    int borderStyle_ = 1;
    int appearance_ = 1;
    bool wantsTab_ = false;
};

}  // namespace forms
