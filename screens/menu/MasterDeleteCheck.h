#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

// The check before a class or a product is deleted: no stock in the last closed month
// and no daily records that the month-end close has not carried over yet.
struct MasterDeleteCheck {
    QString title;         // box title
    QStringList keys;      // conditions naming the class (and product)
    QString stockMessage;  // refused for stock
    QString carryMessage;  // refused for records not carried over

    // 1 when the record may be deleted; 0 when refused (the reason shown); a negative
    // code when a check failed (shown as -800, or the database codes with the restore
    // path). Without a closed month there is no stock to check and every daily record
    // is still to be carried over.
    int32_t Run() const;

  private:
    int32_t StockCount() const;
    int32_t UncarriedCount() const;
};
