#pragma once

#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "MonthReads.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

class AccessADOClass;

// The sums of quantity and amount bought, quantity and amount sold and profit (amount
// sold less cost) per product over the daily rows of some days, read once in date order
// so that the engine sorts nothing. They are what Sum() grouped by class and product
// gives: a sum over Null values only is Null.
class PeriodSums {
  public:
    // Reads the rows of the days from..to: the rows read, or the wrapper's negative
    // result. A value that is no amount raises its run-time error here.
    int32_t Read(AccessADOClass& access, const vb::Date& from, const vb::Date& to);

    // Per product, by key, as the close reads them: class and product number, the sums
    // of quantity and amount bought, quantity and amount sold, the average quantity sold
    // (Avg(): rounded half to even, Null without values), the price of the product's
    // latest row (Last() by date) and the profit. A sum out of the range of an amount
    // raises run-time error 6.
    vb::VariantArray CloseRows(int32_t& count) const;

  private:
    // A sum in ten-thousandths and the count of the values added.
    struct Sum {
        __int128 raw = 0;
        int64_t count = 0;
        void add(const vb::Variant& value);
        vb::Variant value() const;
        vb::Variant average() const;
    };
    struct Product {
        vb::Variant classNo;
        vb::Variant tradeNo;
        Sum bought;
        Sum boughtAmount;
        Sum sums[3];  // quantity sold, amount sold, profit
        vb::Variant lastPrice;
    };

    // The products by class and product number.
    std::vector<const Product*> Sorted() const;

    std::vector<Product> products_;
    std::unordered_map<QString, size_t, MonthReads::KeyHash, MonthReads::KeyEqual> index_;
};
