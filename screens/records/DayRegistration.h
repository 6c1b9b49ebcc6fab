#pragma once

#include <QString>
#include <vector>

#include "platform/runtime/Date.h"
#include "platform/runtime/VariantArray.h"

// The three cells of a shown row that the user edits.
struct DayCells {
    QString purchaseQuantity;
    QString salesQuantity;
    QString salesMoney;
};

// What registering a day writes into Management_Tbl.
struct DayWrite {
    enum Refusal { None, NotANumber, TooLarge };

    // Rows that are non-zero or differ from the load.
    int selected = 0;
    // Every selected row is zero: none of them is stored.
    bool allZero = false;
    // The rows to store, SQL values in the order of Management_Tbl's columns: the
    // selected rows in grid order (none when all are zero), then the stored rows whose
    // product is not shown, unchanged. Empty: the day is only deleted.
    vb::VariantArray rows;
    // Nothing may be written: a cell that is not a number, or an amount too large for a
    // currency value, in the shown row refusedRow.
    Refusal refusal = None;
    int refusedRow = -1;

    // "7" replaces the day by rows, "5" deletes it.
    QString AccessFlag() const {
        return rows.rows() == 0 ? QStringLiteral("5") : QStringLiteral("7");
    }
};

namespace DayRegistration {

// The columns of Management_Tbl in the order of the rows written.
extern const char* const Fields[8];

// cells: the shown rows' cells; dayRows: the values as loaded (class, product,
// purchase quantity, purchase price of the list, purchase amount, sales quantity,
// sales amount); orphans: stored rows not shown, in the same columns as read. The
// purchase amount is the purchase quantity at the list's purchase price.
DayWrite Build(const std::vector<DayCells>& cells, const vb::VariantArray& dayRows,
               const vb::VariantArray& orphans, const vb::Date& day, int sumDecimal);

// Some shown row's purchase quantity, sales quantity or sales amount differs from the
// load, compared as numbers (a blank cell is 0; a cell that is not a number differs).
bool Changed(const std::vector<DayCells>& cells, const vb::VariantArray& dayRows);

}  // namespace DayRegistration
