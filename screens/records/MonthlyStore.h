#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// Writing a month of FixDeta_tbl and reading the last closed month back.
namespace MonthlyStore {

// Replaces the month's rows by rows (the 19 columns of FixDeta_tbl as SQL value texts
// or values) in one transaction: the wrapper's result, negative when nothing changed.
int32_t Replace(const vb::Date& month, const vb::VariantArray& rows);

// MainModule::LastCloseDate and HasCloseDate from the largest FixDate; without any
// month HasCloseDate is false and LastCloseDate stays. A failed read shows its message
// titled title and gives false.
bool ReadLastFixDate(const QString& title);

}  // namespace MonthlyStore
