#pragma once

#include "output/ListOutput.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The list of one day's stored purchases and sales, printed or saved.
namespace DayListOutput {

// The list's titles, messages, layout workbook and printed columns for the day.
ListOutputSettings Settings(const vb::Date& day);

// The list's rows from the day's stored rows joined with their products (class,
// product, name, purchase quantity, purchase amount, sales quantity, sales amount):
// the product number, the name and the four numbers formatted.
vb::VariantArray Rows(const vb::VariantArray& read, int count);

}  // namespace DayListOutput
