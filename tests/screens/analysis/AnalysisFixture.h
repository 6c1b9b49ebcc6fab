#pragma once

#include <QString>

#include "tests/screens/monthend/CloseFixture.h"

// A database copy with masters and daily rows, the clock on 2024/5/15, for the
// analysis screens.
class AnalysisFixture : public CloseFixture {
  protected:
    // One stored row of a closed month of 2024.
    void storedRow(int month, const QString& classNo, const QString& className,
                   const QString& tradeNo, const QString& tradeName, const QString& salesQuantity,
                   const QString& salesMoney, const QString& costMoney,
                   const QString& fixQuantity = "0", const QString& averQuantity = "0") const;
    // Removes a table of the copy, so that reading it fails.
    void dropTable(const QString& table) const;
};
