#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

class AccessADOClass;

// The sales rankings of one month, by sales quantity, sales amount and profit, of the
// product classes and of the products. A month up to the last closed month is read from
// its FixDeta_tbl rows; a later month is summed from its Management_Tbl rows and every
// class or product of the masters that sold nothing joins it with 0. Ranks are
// positions 1, 2, 3, ...; equal values go by class number, then product number.
class RankingTables {
  public:
    // The kind of a ranking: 0 sales quantity, 1 sales amount, 2 profit.
    enum Kind : int { Quantity = 0, Amount = 1, Profit = 2 };

    // A ranking: rank, class number, class name, value for classes; rank, class number,
    // product number, product name, value for products. Only the first count rows count.
    struct Ranking {
        vb::VariantArray rows;
        int16_t count = 0;
    };

    // Loads the month from..to. False after a failed read, whose message was shown
    // under title (also for a sum of the month out of range), or after another run-time
    // error, without a message; all rankings are empty then.
    bool Load(const vb::Date& from, const vb::Date& to, const QString& title);
    // Empties all six rankings.
    void Clear();

    const Ranking& Classes(int kind) const { return classes_[kind]; }
    const Ranking& Products(int kind) const { return products_[kind]; }

  private:
    using Rankings = std::array<Ranking, 3>;

    int32_t LoadClassRankingClosed(AccessADOClass& access, const vb::Date& from);
    int32_t LoadProductRankingClosed(AccessADOClass& access, const vb::Date& from);
    // The class and the product rankings of a month not closed, together.
    int32_t LoadOpen(AccessADOClass& access, const vb::Date& from, const vb::Date& to);

    Rankings classes_;
    Rankings products_;
};
