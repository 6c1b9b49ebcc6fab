#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The inventory table of a month, one row per product: class number, product number,
// name, opening stock, purchases, sales, closing stock, unit price and the stock value
// as a whole-number text. A month up to the last closed month is read from its
// FixDeta_tbl rows; a later month is computed from the masters, the month's daily rows,
// the last closed month's stock and the movement of the months in between.
class InventoryTable {
  public:
    enum Column : int {
        ClassifyNo = 0,
        TradeNo,
        TradeName,
        Opening,
        Purchases,
        Sales,
        Closing,
        UnitPrice,
        Value,
    };

    // Loads the month; false after a failed read, whose message was shown with title
    // (a closed month without rows shows "指定された日付は初期Data前の日付です。"). A sum
    // of the month or a value of the table out of range fails the load as a failed read.
    // The table is empty then.
    bool Load(const vb::Date& month, const QString& title);

    int32_t RowCount() const { return rowCount_; }
    const vb::VariantArray& Rows() const { return rows_; }
    // The sum of the stock values.
    vb::Currency Total() const { return total_; }

    // quantity x price as a whole number, halves away from zero, the sign kept.
    static vb::Currency StockValue(const vb::Currency& quantity, const vb::Currency& price);

  private:
    int32_t LoadClosed(const vb::Date& month);
    int32_t LoadOpen(const vb::Date& month);
    void Finish();

    vb::VariantArray rows_;
    int32_t rowCount_ = 0;
    vb::Currency total_;
};
