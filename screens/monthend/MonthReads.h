#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

class AccessADOClass;

// The reads that the close and the inventory table share, and how their rows are met.
namespace MonthReads {

// The products of the masters whose class exists, by class and product number: class
// number, product number, class name, product name, purchase and sales price.
int32_t Masters(AccessADOClass& access, vb::VariantArray& rows);

// Fix_Quantity of the month's FixDeta_tbl rows, also of products deleted from the
// masters since: class number, product number, stock.
int32_t StoredStock(AccessADOClass& access, const vb::Date& month, vb::VariantArray& rows);

// "#yyyy/m/d#".
QString DateText(const vb::Date& date);

// The key of a class and product number.
QString Key(const vb::Variant& classNo, const vb::Variant& tradeNo);
// Keys hashed and compared as plain UTF-16 code units, without the cost of Qt's general
// string comparison, for a lookup per daily row.
struct KeyHash {
    size_t operator()(const QString& key) const noexcept;
};
struct KeyEqual {
    bool operator()(const QString& a, const QString& b) const noexcept;
};

// The row of every key of columns 0 and 1 of rows (the first one of a repeated key).
QHash<QString, int> RowsByKey(const vb::VariantArray& rows, int32_t count);

// A read value as text ("" for Null) and as an amount (0 for Null or Empty).
QString Text(const vb::Variant& value);
vb::Currency Amount(const vb::Variant& value);

}  // namespace MonthReads
