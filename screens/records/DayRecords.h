#pragma once

#include "platform/runtime/VariantArray.h"

// One day as the daily screen shows it: the product list of the day, each product
// matched by class and product number with its stored row of the day.
struct LoadedDay {
    // (n, 7), the grid's cells: class, product, name, purchase quantity, sales
    // quantity, sales price of the list, sales amount.
    vb::VariantArray rows;
    // (n, 7), the values as loaded: class, product, purchase quantity, purchase price
    // of the list, stored purchase amount, sales quantity, sales amount.
    vb::VariantArray dayRows;
    // (1, 4): "合計" and the purchase quantity, sales quantity and sales amount of the
    // stored rows shown; a sum too large for a currency value is left Empty.
    vb::VariantArray totals;
    // (k, 7), stored rows of the day whose product is not in the list, as read (class,
    // product, purchase quantity, unit price, purchase amount, sales quantity, sales
    // amount): not shown, but kept when the day is written again.
    vb::VariantArray orphans;
};

namespace DayRecords {

// products: (class, product, name, purchase price, sales price) in list order; stored:
// the day's rows (class, product, purchase quantity, unit price, purchase amount, sales
// quantity, sales amount). A product without a stored row shows zeros.
LoadedDay Match(const vb::VariantArray& products, int productCount, const vb::VariantArray& stored,
                int storedCount);

}  // namespace DayRecords
