#pragma once

namespace forms {
class Surface;
}

// The busy rule of the buttons of a list screen: a click while the form shows the
// hourglass is ignored; otherwise the form shows the hourglass until the handler ends,
// on whatever way it ends.
//
//     BusyGuard guard(*this);
//     if (guard.Busy()) return;
class BusyGuard {
  public:
    explicit BusyGuard(forms::Surface& form);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

    // The form was busy already: the click does nothing.
    bool Busy() const { return busy_; }

  private:
    forms::Surface& form_;
    bool busy_;
};
