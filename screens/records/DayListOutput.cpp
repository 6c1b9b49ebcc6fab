#include "DayListOutput.h"

#include "RecordFormats.h"
#include "output/LayoutBooks.h"
#include "platform/runtime/Format.h"
#include "screens/menu/MasterCells.h"

namespace DayListOutput {

ListOutputSettings Settings(const vb::Date& day) {
    ListOutputSettings settings = ListOutputSettings::ForTitle(QStringLiteral("仕入/売上管理表"));
    settings.texts.printFailed = QStringLiteral("仕入/売上管理表の印刷に失敗しました｡");
    settings.texts.saveFailed = QStringLiteral("仕入/売上管理表の保存に失敗しました｡");
    settings.texts.noDocumentsFolderTitle = QStringLiteral("仕入売上管理表");
    settings.texts.fileBaseName = QStringLiteral("仕入売上管理表");
    settings.layoutBook = LayoutBooks::Nyuryoku;
    settings.dataStartCell = 5;
    settings.dataDay = vb::Format(day, QStringLiteral("yyyy年 m月 d日"));
    settings.columns = {{34, 0}, {93, 0}, {33, 1}, {33, 1}, {33, 1}, {33, 1}};
    settings.headings = {
        {"商品番号", "商　品　名", "仕入数量", "仕入金額", "売上数量", "売上金額"}};
    settings.printOutType = 4;
    settings.selectDate = day;
    return settings;
}

vb::VariantArray Rows(const vb::VariantArray& read, int count) {
    const QString tradeFormat = RecordFormats::TradeNumber();
    vb::VariantArray list(count, 6);
    for (int row = 0; row < count; ++row) {
        const QString classNo = vb::Format(read.at(row, 0), QStringLiteral("000"));
        const QString tradeNo = tradeFormat.isEmpty() ? MasterCells::Text(read.at(row, 1))
                                                      : vb::Format(read.at(row, 1), tradeFormat);
        list(row, 0) = classNo + tradeNo;
        list(row, 1) = MasterCells::Text(read.at(row, 2));
        list(row, 2) = vb::Format(read.at(row, 3), RecordFormats::Quantity());
        list(row, 3) = vb::Format(read.at(row, 4), RecordFormats::Amount());
        list(row, 4) = vb::Format(read.at(row, 5), RecordFormats::Quantity());
        list(row, 5) = vb::Format(read.at(row, 6), RecordFormats::Amount());
    }
    return list;
}

}  // namespace DayListOutput
