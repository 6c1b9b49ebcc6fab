#pragma once

#include <QString>
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "MonthReads.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

class AccessADOClass;

// The sums of quantity and amount bought, quantity and amount sold and profit (amount
// sold less cost) per product over the daily rows of some days, and the price of each
// product's latest row: the one read of the daily rows that the close, the inventory
// table, the rankings and the stock lists share. The rows are read once in date order,
// so that the engine sorts nothing, and added up exactly as they come. The sums are what
// Sum() grouped by class and product gives: a sum over Null values only is Null.
class PeriodSums {
  public:
    // A sum in ten-thousandths and the count of the values added. A value that is no
    // amount is kept as the number of its run-time error, raised only when the sum is
    // asked for, so that a reader of other sums never meets it.
    struct Sum {
        __int128 raw = 0;
        int64_t count = 0;
        int32_t error = 0;
        void add(const vb::Variant& value);
        void add(__int128 tenThousandths);
        void add(const Sum& other);
        // Keeps the first run-time error met.
        void fail(int32_t number);
        // The number of the run-time error that value() raises, 0 for none: the error
        // kept, or 6 for a sum out of the range of an amount.
        int32_t failure() const;
        // Null without values; a sum out of the range of an amount raises run-time error 6.
        vb::Variant value() const;
        // Avg(): rounded half to even, Null without values.
        vb::Variant average() const;
    };
    // What one product's rows add up to. A row's profit is its amount sold less its cost
    // when both are given.
    struct Product {
        vb::Variant lastPrice;
        Sum sold;
        Sum bought;
        Sum soldAmount;
        Sum boughtAmount;
        Sum profit;
    };

    // Which columns of the rows a reader needs; the sums of the others stay Null.
    enum class Columns {
        Stock,  // quantities bought and sold, price
        Sales,  // quantity and amount sold, profit
        All,
    };

    // Reads the rows of the days from..to (Between, both days in): the rows read, or the
    // wrapper's negative result. A product's sum out of range, or of a value that is no
    // amount, fails the read as the engine's Sum() fails its statement: the error's number
    // negated, with nothing kept.
    int32_t Read(AccessADOClass& access, const vb::Date& from, const vb::Date& to,
                 Columns columns = Columns::All);

    // The product of a key as MonthReads::Key writes it; null when it has no rows.
    const Product* Find(const QString& key) const;

    // Per product, by key, as the close reads them: class and product number, the sums
    // of quantity and amount bought, quantity and amount sold, the average quantity sold,
    // the price of the product's latest row (Last() by date) and the profit.
    vb::VariantArray CloseRows(int32_t& count) const;

    // The sums of quantity sold, amount sold and profit per product (class and product
    // number first) and per class (class number first; the sums of its products, added
    // exactly), by key.
    struct SalesSums {
        vb::VariantArray products;
        int32_t productCount = 0;
        vb::VariantArray classes;
        int32_t classCount = 0;
    };
    // 0, or the negated number of the run-time error of a class sum out of range, as the
    // engine's Sum() grouped by class fails; sums is empty then.
    int32_t Sales(SalesSums& sums) const;

  private:
    // The index of the product of a row's key, added when it is new. The rows of a day come in key
    // order, mostly the products met on the day before in the same order, so the one
    // after the previous row's product is tried first.
    size_t Met(const QString& key, size_t expected);
    // A product with its class and product number, parts of its key.
    struct Numbered {
        const Product* product;
        QStringView classNo;
        QStringView tradeNo;
    };
    // The products by class and product number.
    std::vector<Numbered> Sorted() const;

    std::deque<Product> products_;
    // The products' keys, in the same order, one after the other in one block, so that
    // comparing a row's key with the expected one stays within the processor's cache.
    std::u16string keyChars_;
    std::vector<std::pair<size_t, size_t>> keySpans_;  // start and length in keyChars_
    std::unordered_map<QString, size_t, MonthReads::KeyHash, MonthReads::KeyEqual> index_;
};
