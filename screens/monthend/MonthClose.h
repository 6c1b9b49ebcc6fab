#pragma once

#include <cstdint>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The calculation of a month-end close: for every product of the masters the month's
// sums of its daily rows, the stock carried from the previous month, the last price,
// the average sales and the six ranks, as the FixDeta_tbl rows of the month (19 SQL
// value texts each, in the order of the table).
class MonthClose {
  public:
    // Outcomes of Calculate besides the wrapper's negative read results.
    enum Outcome : int32_t {
        Ready = 0,
        NoProducts = 1,     // the masters hold no product whose class exists
        NotComputable = 2,  // a value is out of range
    };

    explicit MonthClose(const vb::Date& month);

    int32_t Calculate();
    // Replaces the month's rows of FixDeta_tbl by Rows in one transaction: the
    // wrapper's result, negative when nothing changed.
    int32_t Save() const;

    const vb::VariantArray& Rows() const { return rows_; }

  private:
    int32_t Read();
    void Build();

    vb::Date month_;
    vb::Date monthEnd_;
    vb::VariantArray rows_;
    vb::VariantArray masters_;
    vb::VariantArray sums_;
    vb::VariantArray classSums_;
    vb::VariantArray stock_;
    int32_t masterCount_ = 0;
    int32_t sumCount_ = 0;
    int32_t classCount_ = 0;
    int32_t stockCount_ = 0;
};
