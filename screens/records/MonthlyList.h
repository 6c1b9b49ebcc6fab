#pragma once

#include <QString>
#include <cstdint>

#include "output/ListOutput.h"
#include "platform/runtime/VariantArray.h"

// The printed and saved list of the monthly data.
namespace MonthlyList {

// The list's output with the heading on the page and in A1, its columns from row 4.
ListOutputSettings Output(const QString& heading);
// Nine formatted texts for each of the first count rows read (FixDeta_tbl columns after
// FixDate): number, name, purchase quantity, price and amount, sales quantity, price
// and amount, closing stock.
vb::VariantArray Build(const vb::VariantArray& monthRows, int32_t count);

}  // namespace MonthlyList
