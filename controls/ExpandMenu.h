#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "MenuGeometry.h"
#include "platform/forms/Event.h"
#include "platform/forms/Form.h"

// Turns a form into a menu page: white, 800 by 600 pixels, a header band, a footer, a
// title picture and up to twelve picture buttons that follow the pointer (hover and
// pressed pictures) and report clicks. It draws on the form and handles the form's
// mouse events itself. Pictures are resources: "MENU" (page and frames), "TITLE",
// "CUSTOM" (button pictures). Measures are twips.
class ExpandMenu {
  public:
    ExpandMenu() = default;
    ExpandMenu(const ExpandMenu&) = delete;
    ExpandMenu& operator=(const ExpandMenu&) = delete;

    // Attaches the form and paints the empty page on it: caption the application title,
    // white, 800 by 600 pixels, centred, the header at the top-left and the footer at the
    // bottom right of the inner area. Buttons and title keep their settings; setting the
    // form again starts a new page.
    void BaseForm(forms::Form* form);
    // The caption: the application title, " - " and the text.
    void Title(const QString& text);
    // The "TITLE" picture, centred in the title box after blanking the previous one;
    // -1 before any.
    void TitleImage(int32_t id);
    int32_t TitleImage() const { return titleId_; }
    // The "CUSTOM" picture of button index (0 to 11; others are ignored), drawn at once.
    // -1 blanks the button and it no longer reacts.
    void Button(int16_t index, int32_t pictureId);

    // A click on an enabled button, with its index. The form shows the hourglass while
    // the handlers run, and a click meanwhile is ignored. A handler may unload the form
    // and release this object.
    forms::Event<int16_t> ButtonClick;

  private:
    struct MenuButton {
        int32_t PictureId = -1;
        double DrawnHeight = 0;
        double DrawnWidth = 0;
        bool Enabled = false;
    };

    void DrawMenuButton(int index, int state);
    void PaintFooter();
    void onMouseMove(double x, double y);
    void onMouseDown();
    void onMouseUp();
    void onClick();
    bool hoveredEnabled() const;

    QPointer<forms::Form> form_;
    std::vector<forms::Subscription> subscriptions_;
    int32_t titleId_ = -1;
    MenuGeometry::Rect title_;
    MenuGeometry::Rect footer_;  // where the footer was last drawn
    std::array<MenuButton, MenuGeometry::ButtonCount> buttons_;
    int16_t hovered_ = -1;
};
