#include "LayoutSheet.h"

#include "output/LayoutBooks.h"

namespace {

using Column = LayoutSheet::Column;

Column text(const char* heading, double width) {
    return Column{{heading}, width, false};
}
Column number(const char* heading, double width) {
    return Column{{heading}, width, true};
}
Column text2(const char* upper, const char* lower, double width) {
    return Column{{upper, lower}, width, false};
}
Column number2(const char* upper, const char* lower, double width) {
    return Column{{upper, lower}, width, true};
}

}  // namespace

const std::vector<LayoutSheet>& layoutSheets() {
    static const std::vector<LayoutSheet> sheets{
        {LayoutBooks::Bunrui,
         "商品分類一覧表",
         4,
         false,
         {text("商品分類番号", 16), text("商品分類名", 60)}},
        {LayoutBooks::Syouhin,
         "商品一覧表",
         4,
         true,
         {text("分類番号", 10), text("分類名", 30), text("商品番号", 17), text("商品名", 44),
          number("仕入単価", 14), number("売上単価", 14)}},
        {LayoutBooks::Nyuryoku,
         "仕入/売上管理表",
         5,
         true,
         {text("商品番号", 20), text("商品名", 44), number("仕入数量", 15), number("仕入金額", 15),
          number("売上数量", 15), number("売上金額", 15)}},
        {LayoutBooks::Maintenance,
         "月間データメンテナンス",
         4,
         true,
         {text("番号", 20), text("商品名", 40), number("仕入数量", 13), number("仕入単価", 13),
          number("仕入金額", 13), number("売上数量", 13), number("売上単価", 13),
          number("売上金額", 13), number("今月末残", 13)}},
        {LayoutBooks::Zaiko,
         "在　庫　管　理　表",
         5,
         true,
         {text2("番 号", "", 20), text2("商　品　名", "", 44), number2("前月末残", "数　　量", 12),
          number2("仕　　入", "数　　量", 12), number2("売　　上", "数　　量", 12),
          number2("今月末残", "数　　量", 12), number2("単　　価", "", 13),
          number2("金　　額", "", 15)}},
        {LayoutBooks::Zaikolist,
         "在庫少数リスト",
         4,
         false,
         {text("番 号", 20), text("商　品　名", 44), number("平均売上数量", 14),
          number("在庫数量", 14)}},
        {LayoutBooks::Uriage,
         "売上利益表",
         5,
         true,
         {text2("商品分類", "番号", 10), text2("", "商品分類名", 40), number2("仕入", "数量", 15),
          number2("仕入", "金額", 15), number2("売上", "数量", 15), number2("売上", "金額", 15),
          number2("利益", "金額", 15)}},
    };
    return sheets;
}
