#pragma once

#include <QString>
#include <vector>

// The tabs of a tab strip and where they stand, in twips. It needs no display.
class TabLayout {
  public:
    struct Tab {
        double Width = 900;
        double Left = 0;  // the sum of the widths before it
        int Type = 0;     // 0 caption, 1 previous, 2 next, 3 first, 4 last
        int Align = 2;    // caption: 0 left, 1 right, 2 centred
        bool Locked = false;
        QString Caption;
    };

    int Count() const { return static_cast<int>(tabs_.size()); }
    // Keeps the first tabs; new ones get the defaults above.
    void SetCount(int count);
    bool HasTab(int index) const { return index >= 0 && index < Count(); }
    Tab& At(int index) { return tabs_[index]; }
    const Tab& At(int index) const { return tabs_[index]; }
    void SetWidth(int index, double width);
    double TotalWidth() const { return totalWidth_; }

    // The unlocked tab under a point of a strip of the given height: inside a tab less
    // 30 at its left, 60 at its right, 30 at the top and 60 at the bottom; -1 otherwise.
    int HitTest(double x, double y, double stripHeight) const;

  private:
    void place();

    std::vector<Tab> tabs_;
    double totalWidth_ = 0;
};
