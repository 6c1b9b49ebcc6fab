#pragma once

#include <QString>

// The sales quantity that a row's sales amount follows, shared by the daily and the
// monthly screen. It is taken when the sales-quantity cell is entered and again after
// every recompute: a button that commits an open edit leaves the cell current without
// entering it anew, so a quantity typed back to its earlier value still recomputes.
class SalesQtyOnEnter {
  public:
    void Set(const QString& quantity) { quantity_ = quantity; }
    const QString& Value() const { return quantity_; }
    // The amount is due for a recompute: the quantity is not blank and differs from the
    // one the amount follows.
    bool Changed(const QString& quantity) const;

  private:
    QString quantity_;
};
