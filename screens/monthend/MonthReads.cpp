#include "MonthReads.h"

#include <string>
#include <string_view>

#include "core/AccessADOClass.h"
#include "core/AccessSelect.h"
#include "core/SqlValueText.h"

namespace MonthReads {

int32_t Masters(AccessADOClass& access, vb::VariantArray& rows) {
    return AccessSelect(
        access,
        {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No", "ClassifyMast_tbl.Classify_Name",
         "TradeMast_tbl.Trade_Name", "TradeMast_tbl.Unit_Price", "TradeMast_tbl.Sales_Price"},
        {"ClassifyMast_tbl", "TradeMast_tbl"},
        {"ClassifyMast_tbl.Classify_No = TradeMast_tbl.Classify_No"},
        {"TradeMast_tbl.Classify_No", "TradeMast_tbl.Trade_No"}, rows);
}

int32_t StoredStock(AccessADOClass& access, const vb::Date& month, vb::VariantArray& rows) {
    return AccessSelect(
        access, {"FixDeta_tbl.Classify_No", "FixDeta_tbl.Trade_No", "FixDeta_tbl.Fix_Quantity"},
        {"FixDeta_tbl"}, {"FixDeta_tbl.FixDate = " + DateText(month)},
        {"FixDeta_tbl.Classify_No", "FixDeta_tbl.Trade_No"}, rows);
}

QString DateText(const vb::Date& date) {
    return SqlValueText::DateValue(date);
}

QString Key(const vb::Variant& classNo, const vb::Variant& tradeNo) {
    return Text(classNo) + QLatin1Char('\t') + Text(tradeNo);
}

size_t KeyHash::operator()(const QString& key) const noexcept {
    return std::hash<std::u16string_view>()(
        std::u16string_view(QStringView(key).utf16(), static_cast<size_t>(key.size())));
}

bool KeyEqual::operator()(const QString& a, const QString& b) const noexcept {
    return a.size() == b.size() &&
           std::char_traits<char16_t>::compare(QStringView(a).utf16(), QStringView(b).utf16(),
                                               static_cast<size_t>(a.size())) == 0;
}

QHash<QString, int> RowsByKey(const vb::VariantArray& rows, int32_t count) {
    QHash<QString, int> index;
    for (int row = 0; row < count; ++row) {
        const QString key = Key(rows(row, 0), rows(row, 1));
        if (!index.contains(key)) {
            index.insert(key, row);
        }
    }
    return index;
}

QString Text(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? QString() : value.toString();
}

vb::Currency Amount(const vb::Variant& value) {
    return value.isNull() || value.isEmpty() ? vb::Currency() : value.toCurrency();
}

}  // namespace MonthReads
