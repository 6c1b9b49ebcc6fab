#include "MonthlyList.h"

#include "MonthlyColumns.h"
#include "RecordFormats.h"
#include "output/LayoutBooks.h"
#include "platform/runtime/Format.h"
#include "screens/menu/MasterCells.h"

namespace MonthlyList {

namespace {

const QString Title = QStringLiteral("月間データメンテナンス");

}  // namespace

ListOutputSettings Output(const QString& heading) {
    ListOutputSettings settings = ListOutputSettings::ForTitle(Title);
    settings.texts.printFailed = Title + "の印刷に失敗しました｡";
    settings.texts.saveFailed = Title + "の保存に失敗しました｡";
    settings.layoutBook = LayoutBooks::Maintenance;
    settings.dataStartCell = 4;
    settings.outputTitle = heading;
    settings.printTitle = heading;
    settings.columns = {{33, 0}, {79, 0}, {23, 1}, {23, 1}, {23, 1},
                        {23, 1}, {23, 1}, {23, 1}, {23, 1}};
    settings.headings = {{"番号", "商　品　名", "仕入数量", "仕入単価", "仕入金額", "売上数量",
                          "売上単価", "売上金額", "今月末残"}};
    settings.printOutType = 2;
    settings.fontSize = 8;
    return settings;
}

vb::VariantArray Build(const vb::VariantArray& monthRows, int32_t count) {
    using namespace MonthlyColumns;
    if (count < 1) {
        return {};
    }
    const QString quantity = RecordFormats::Quantity();
    const QString amount = RecordFormats::Amount();
    const QString tradeZeros = RecordFormats::TradeNumber();
    vb::VariantArray list(count, 9);
    for (int row = 0; row < count; ++row) {
        const auto value = [&monthRows, row](int col) -> const vb::Variant& {
            return monthRows(row, col);
        };
        list(row, 0) =
            vb::Format(value(ClassifyNo), "000") + vb::Format(value(TradeNo), tradeZeros);
        list(row, 1) = MasterCells::Text(value(TradeName));
        list(row, 2) = vb::Format(value(CostQuantity), quantity);
        list(row, 3) = vb::Format(value(UnitPrice), RecordFormats::PurchasePrice());
        list(row, 4) = vb::Format(value(CostMoney), amount);
        list(row, 5) = vb::Format(value(SalesQuantity), quantity);
        list(row, 6) = vb::Format(value(SalePrice), RecordFormats::SalesPrice());
        list(row, 7) = vb::Format(value(SalesMoney), amount);
        list(row, 8) = vb::Format(value(FixQuantity), quantity);
    }
    return list;
}

}  // namespace MonthlyList
