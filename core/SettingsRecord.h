#pragma once

#include <cstdint>

#include "platform/runtime/Date.h"

class AccessADOClass;

// The values of the database that start-up reads into the settings record, each checked
// as start-up checks it. access names the file (name, password, folder).
namespace SettingsRecord {

struct BasicSettings {
    uint8_t tradeFigure = 0;
    uint8_t unitDecimal = 0;
    uint8_t sumDecimal = 0;
    uint8_t printType = 0;
    uint8_t pictureFlg = 0;
};

// The five settings of basic_tbl's first row, read without the rows after it: 1, 0
// without a row (settings left 0), the query's failure, or -503 when a value is Null, not
// a number or too large (the decimal settings above 3, the others above 255).
int32_t ReadBasic(AccessADOClass& access, BasicSettings& settings);

// The largest FixDate of FixDeta_tbl: 1 with date set, 0 for no month, the query's
// failure, or -503 when it is not a date.
int32_t ReadLastCloseDate(AccessADOClass& access, vb::Date& date);

}  // namespace SettingsRecord
