#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The daily profit table (売上利益表) of one day: purchase quantity and amount, sales
// quantity and amount and profit per product class, with a totals row. The classes are
// those of the masters for a day on or after the last day of the last closed month,
// else those stored in FixDeta_tbl for the day's month.
class ProfitTable {
  public:
    // Loads the day. False after a failed read, whose message was shown under title (also
    // for a total out of range), or after another run-time error, without a message;
    // ClassCount is 0 and DaySumRows -1 then.
    bool Load(const vb::Date& day, const QString& title);

    // The classes listed, and the classes with movement on the day (-1 after a failure).
    int32_t ClassCount() const { return classCount_; }
    int16_t DaySumRows() const { return daySumRows_; }
    // One row per class: number text, name, the five sums (currency values).
    const vb::VariantArray& Values() const { return values_; }
    // One row: "合　計" and the five totals (currency values).
    const vb::VariantArray& Totals() const { return totals_; }
    // The class rows and, last, the totals row (" ", "合　計", totals), all as texts in
    // the column formats; what print and save put out.
    const vb::VariantArray& Texts() const { return texts_; }

    // The display format of sum column 2 to 6 by MainModule::SumDecimal: quantities
    // (2 and 4) and amounts (3, 5 and 6); none for a setting above 3.
    static QString ColumnFormat(int col);

  private:
    int32_t Read(const vb::Date& day);

    vb::VariantArray values_;
    vb::VariantArray totals_;
    vb::VariantArray texts_;
    int32_t classCount_ = 0;
    int16_t daySumRows_ = 0;
};
