#include "TestBook.h"

#include <xlsxwriter.h>

#include <QFile>

void writeTestBook(const QString& path) {
    lxw_workbook* book = workbook_new(QFile::encodeName(path).constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "一覧");
    lxw_worksheet* other = workbook_add_worksheet(book, "別");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format* arial = workbook_add_format(book);
    format_set_font_name(arial, "Arial");
    format_set_align(arial, LXW_ALIGN_RIGHT);
    worksheet_set_column(sheet, 1, 1, 12, arial);
    lxw_format* text = workbook_add_format(book);
    format_set_num_format(text, "@");
    worksheet_set_column(sheet, 2, 2, 12, text);
    lxw_format* yen = workbook_add_format(book);
    format_set_num_format(yen, "#,##0\"円\"");
    worksheet_set_column(sheet, 3, 3, 12, yen);
    worksheet_write_string(sheet, 0, 0, "タイトル", bold);
    worksheet_write_number(sheet, 9, 0, 7, nullptr);
    worksheet_write_formula(sheet, 9, 1, "=A10*2", nullptr);
    worksheet_write_string(other, 0, 0, "別のシート", nullptr);
    workbook_close(book);
}
