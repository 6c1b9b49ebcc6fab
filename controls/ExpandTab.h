#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <vector>

#include "TabLayout.h"
#include "platform/forms/Event.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Variant.h"

// A row of tabs drawn on a picture box, reporting clicks on them. Style 0 draws flat
// buttons with a box under the pointer; other styles draw cards. Measures are twips.
class ExpandTab {
  public:
    static constexpr double StripHeight = 480;

    ExpandTab() = default;
    ExpandTab(const ExpandTab&) = delete;
    ExpandTab& operator=(const ExpandTab&) = delete;

    // Keeps the surface, switches its persistent drawing on and its border off, and
    // receives its mouse events.
    void BodyPictureBox(forms::PictureBox* body);

    long BackColor() const { return backColor_; }
    void BackColor(long color) { backColor_ = color; }
    void Font(const QString& name) { fontName_ = name; }
    void FontSize(const vb::Variant& size);

    int16_t Count() const { return static_cast<int16_t>(layout_.Count()); }
    // Keeps the first tabs' settings; new tabs are 900 wide, captions centred.
    void Count(int16_t count);
    // The tab pressed last, -1 none.
    int16_t Index() const { return index_; }
    int16_t Style() const { return style_; }
    void Style(int16_t style) { style_ = style; }

    // Per tab; an index outside the tabs is ignored. All but the width take effect at
    // the next Redraw.
    void TabsWidth(int16_t index, float width) { layout_.SetWidth(index, width); }
    void TabsType(int16_t index, int16_t type);
    void TabsAlign(int16_t index, int16_t align);
    void Value(int16_t index, const QString& caption);
    // A locked tab is never highlighted, pressed or reported.
    void TabsLocked(int16_t index, bool locked);

    // Repaints the whole strip, every tab plain.
    void Redraw();

    // A click or double click over an unlocked tab, with that tab's index.
    forms::Event<int16_t> Click;

  private:
    void onMouseDown(double x, double y);
    void onMouseMove(double x, double y);
    void onClick();
    void drawFace(int tab);
    void drawPlain(int tab);
    void drawHover(int tab);
    void drawPressed(int tab);
    void drawTriangle(double x, double y, bool pointsLeft);

    TabLayout layout_;
    QPointer<forms::PictureBox> body_;
    std::vector<forms::Subscription> subscriptions_;
    long backColor_ = 0xE0E0E0;
    QString fontName_ = QStringLiteral("MS UI Gothic");
    double fontSize_ = 10;
    int16_t hover_ = -1;
    int16_t index_ = -1;
    int16_t style_ = 0;
};
