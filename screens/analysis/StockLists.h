#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/VariantArray.h"

// The stock lists of every product of the masters: today's stock (the stock of the last
// closed month plus the purchases minus the sales since, up to today) and the average
// sales quantity of the last closed month. A stock of exactly 0 goes to the zero-stock
// list; a stock below three times the average to the low-stock list.
class StockLists {
  public:
    // Columns of the low-stock and zero-stock lists; the all-products list has the first
    // four. Every cell is a display text.
    enum Column : int { ClassifyNo = 0, TradeNo, TradeName, Average, Stock };

    // Loads the lists. False after a failed read, whose message was shown under title
    // (also for a sum of the open months out of range), or after another run-time error,
    // without a message; the lists are empty then.
    bool Load(const QString& title);

    int16_t LowStockCount() const { return lowCount_; }
    int16_t ZeroStockCount() const { return zeroCount_; }
    int16_t AllStockCount() const { return allCount_; }
    const vb::VariantArray& LowStockList() const { return low_; }
    const vb::VariantArray& ZeroStockList() const { return zero_; }
    const vb::VariantArray& AllStockList() const { return all_; }

  private:
    int32_t Read();
    void Clear();

    vb::VariantArray low_;
    vb::VariantArray zero_;
    vb::VariantArray all_;
    int16_t lowCount_ = 0;
    int16_t zeroCount_ = 0;
    int16_t allCount_ = 0;
};
