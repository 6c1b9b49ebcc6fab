#include "SettingsRecord.h"

#include <iterator>
#include <vector>

#include "AccessADOClass.h"
#include "XXCommonFunctions.h"
#include "platform/runtime/RuntimeError.h"

namespace SettingsRecord {

namespace {

// A byte setting; false when it is Null, not a number or above highest.
bool ReadSetting(const vb::Variant& value, uint8_t highest, uint8_t& setting) {
    if (value.isNull()) {
        return false;
    }
    try {
        const uint8_t read = value.toByte();
        if (read > highest) {
            return false;
        }
        setting = read;
        return true;
    } catch (const vb::RuntimeError&) {
        return false;
    }
}

}  // namespace

int32_t ReadBasic(AccessADOClass& access, BasicSettings& settings) {
    access.AccessFlag(QStringLiteral("1"));
    for (const char* field :
         {"Trade_figure", "Unit_decimal", "Sum_decimal", "Print_type", "Picture_Flg"}) {
        access.AddField(QString::fromLatin1(field));
    }
    access.AddFromVerse(QStringLiteral("basic_tbl"));
    // Only the first row counts. The read stops at the second one: the wrapper counts the
    // whole table after a select that gave at most one row, and the table can be large.
    std::vector<vb::Variant> first;
    const int32_t result = access.ExecuteEach([&first](std::vector<vb::Variant>& row) {
        if (!first.empty()) {
            return false;
        }
        first.assign(std::make_move_iterator(row.begin()), std::make_move_iterator(row.end()));
        return true;
    });
    settings = {};
    if (result <= 0) {
        return result;
    }
    // Every byte has a meaning for the width (more than 9 leaves numbers unformatted), the
    // print type (other than 0 is the system's own printing) and the picture set; the
    // decimal settings are pairs of flags.
    const uint8_t highest[5] = {255, 3, 3, 255, 255};
    BasicSettings read;
    uint8_t* const readTargets[5] = {&read.tradeFigure, &read.unitDecimal, &read.sumDecimal,
                                     &read.printType, &read.pictureFlg};
    for (int16_t col = 0; col < 5; ++col) {
        if (!ReadSetting(first[static_cast<size_t>(col)], highest[col], *readTargets[col])) {
            return XX共通関数::BasicDataFailed;
        }
    }
    settings = read;
    return 1;
}

int32_t ReadLastCloseDate(AccessADOClass& access, vb::Date& date) {
    access.AccessFlag(QStringLiteral("8"));
    access.AddField(QStringLiteral("FixDate"));
    access.AddFromVerse(QStringLiteral("FixDeta_tbl"));
    const int32_t result = access.Execute();
    if (result > 0) {
        try {
            date = access.InfoValue(0, 0).toDate();
        } catch (const vb::RuntimeError&) {
            return XX共通関数::BasicDataFailed;
        }
    }
    return result;
}

}  // namespace SettingsRecord
