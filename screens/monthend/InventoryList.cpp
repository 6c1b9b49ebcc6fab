#include "InventoryList.h"

#include "InventoryTable.h"
#include "core/MainModule.h"
#include "output/LayoutBooks.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"

namespace InventoryList {

namespace {

QString Pattern(uint8_t flags) {
    return flags == 1 || flags == 3 ? QStringLiteral("###,###,##0.00")
                                    : QStringLiteral("###,###,##0");
}

}  // namespace

QString Title(const vb::Date& month) {
    return "在　庫　管　理　表（" + QString::number(month.year()) + "年" +
           QString::number(month.month()) + "月度" + "）";
}

QString QuantityFormat() {
    return Pattern(MainModule::SumDecimal);
}

QString PriceFormat() {
    return Pattern(MainModule::UnitDecimal);
}

QString TradeNumberFormat() {
    return MainModule::TradeFigure <= 9 ? QString(MainModule::TradeFigure + 4, QLatin1Char('0'))
                                        : QString();
}

namespace {

vb::VariantArray Texts(const InventoryTable& table, Values values) {
    const int32_t count = table.RowCount();
    const QString quantity = QuantityFormat();
    const QString price = PriceFormat();
    const QString tradeZeros = TradeNumberFormat();
    const vb::VariantArray& rows = table.Rows();
    vb::VariantArray list(count + 1, 8);
    vb::Currency total;
    for (int row = 0; row < count; ++row) {
        list(row, 0) =
            vb::Format(rows(row, InventoryTable::ClassifyNo), "000") +
            (tradeZeros.isEmpty() ? QString()
                                  : vb::Format(rows(row, InventoryTable::TradeNo), tradeZeros));
        list(row, 1) = rows(row, InventoryTable::TradeName);
        for (int col = InventoryTable::Opening; col <= InventoryTable::Closing; ++col) {
            list(row, col - 1) = vb::Format(rows(row, col), quantity);
        }
        list(row, 6) = vb::Format(rows(row, InventoryTable::UnitPrice), price);
        if (values == Values::FromShownFigures) {
            const vb::Currency value =
                InventoryTable::StockValue(list(row, 5).toCurrency(), list(row, 6).toCurrency());
            list(row, 7) = vb::Format(value, "###,###,##0");
            total += value;
        } else {
            list(row, 7) = rows(row, InventoryTable::Value);
        }
    }
    if (values == Values::FromTable) {
        total = table.Total();
    }
    for (int col = 0; col < 8; ++col) {
        list(count, col) = QString();
    }
    list(count, 1) = QStringLiteral("　合　計　");
    list(count, 7) = vb::Format(total, "###,###,##0");
    return list;
}

}  // namespace

vb::VariantArray Build(const InventoryTable& table, Values values) {
    if (table.RowCount() < 1) {
        return {};
    }
    try {
        return Texts(table, values);
    } catch (const vb::RuntimeError&) {
        return {};
    }
}

ListOutputSettings Output(const QString& title, const QString& boxTitle) {
    const QString name = QStringLiteral("在庫管理表");
    ListOutputSettings settings = ListOutputSettings::ForTitle(name);
    settings.texts.boxTitle = boxTitle;
    settings.texts.noDocumentsFolderTitle = boxTitle;
    settings.texts.printFailed = name + "の印刷に失敗しました｡";
    settings.texts.saveFailed = name + "の保存に失敗しました｡";
    settings.layoutBook = LayoutBooks::Zaiko;
    settings.dataStartCell = 5;
    settings.outputTitle = title;
    settings.printTitle = title;
    settings.columns = {{33, 0}, {91, 0}, {23, 1}, {23, 1}, {23, 1}, {23, 1}, {26, 1}, {30, 1}};
    settings.headings = {{"番 号", "商　品　名", "前月末残", "仕　　入", "売　　上", "今月末残",
                          "単　　価", "金　　額"},
                         {" ", " ", "数　　量", "数　　量", "数　　量", "数　　量", "　", "　"}};
    settings.printOutType = 2;
    return settings;
}

}  // namespace InventoryList
