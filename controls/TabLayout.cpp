#include "TabLayout.h"

#include <algorithm>

void TabLayout::SetCount(int count) {
    tabs_.resize(static_cast<size_t>(std::max(0, count)));
    place();
}

void TabLayout::SetWidth(int index, double width) {
    if (!HasTab(index)) {
        return;
    }
    tabs_[index].Width = width;
    place();
}

int TabLayout::HitTest(double x, double y, double stripHeight) const {
    if (y < 30 || y > stripHeight - 60) {
        return -1;
    }
    for (int i = 0; i < Count(); ++i) {
        const Tab& tab = tabs_[i];
        if (tab.Left + 30 <= x && x <= tab.Left + tab.Width - 60) {
            return tab.Locked ? -1 : i;
        }
    }
    return -1;
}

void TabLayout::place() {
    double left = 0;
    for (Tab& tab : tabs_) {
        tab.Left = left;
        left += tab.Width;
    }
    totalWidth_ = left;
}
