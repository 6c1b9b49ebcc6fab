#pragma once

#include <QString>

// What a screen of the menu needs before it opens. Each check reads the settings record
// at the moment of the click; when the data is missing it says where to register it,
// in an exclamation box titled with the screen's name, and returns false.
namespace MenuChecks {

// A month in FixDeta_tbl (the first month's data).
bool CloseDateRegistered(const QString& title);
// Classes in ClassifyMast_tbl.
bool ClassificationsRegistered(const QString& title);
// Classes, then products: only the first missing one is reported.
bool MastersRegistered(const QString& title);

}  // namespace MenuChecks
