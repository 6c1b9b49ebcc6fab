#include "LayoutWriter.h"

#include <xlsxwriter.h>

#include <algorithm>

namespace {

const char* const fontName = "ＭＳ ゴシック";
constexpr double bodyFontSize = 10;
constexpr double titleFontSize = 14;
constexpr int a4 = 9;
// The page number and count, centred, in the font of the cells.
const char* const footer = "&C&\"ＭＳ ゴシック,標準\"&P / &N";

// Empty, or only half-width and full-width blanks.
bool isBlank(std::string text) {
    for (const std::string blank : {" ", "　"}) {
        for (std::size_t at = text.find(blank); at != std::string::npos; at = text.find(blank)) {
            text.erase(at, blank.size());
        }
    }
    return text.empty();
}

struct Formats {
    lxw_format* title;
    lxw_format* heading;
    lxw_format* text;
    lxw_format* number;
};

Formats makeFormats(lxw_workbook* book) {
    Formats formats{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
                    workbook_add_format(book)};
    for (lxw_format* format : {formats.title, formats.heading, formats.text, formats.number}) {
        format_set_font_name(format, fontName);
        format_set_font_size(format, bodyFontSize);
    }
    format_set_font_size(formats.title, titleFontSize);
    format_set_bold(formats.title);
    format_set_align(formats.heading, LXW_ALIGN_CENTER);
    format_set_align(formats.heading, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(formats.heading, LXW_BORDER_THIN);
    format_set_bg_color(formats.heading, 0xE0E0E0);
    format_set_align(formats.text, LXW_ALIGN_LEFT);
    // Codes and names stay texts as written ("001" is not the number 1).
    format_set_num_format(formats.text, "@");
    format_set_align(formats.number, LXW_ALIGN_RIGHT);
    return formats;
}

// One heading row: each text in its cell.
bool writeOneRow(lxw_worksheet* sheet, const LayoutSheet& layout, lxw_row_t row,
                 lxw_format* format) {
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        if (worksheet_write_string(sheet, row, c, layout.columns[c].headings[0].c_str(), format) !=
            LXW_NO_ERROR) {
            return false;
        }
    }
    return true;
}

// Two heading rows: a text with a blank below or above it spans both rows; equal texts
// side by side in the upper row over texts of their own below span those columns.
bool writeTwoRows(lxw_worksheet* sheet, const LayoutSheet& layout, lxw_row_t row,
                  lxw_format* format) {
    const std::size_t count = layout.columns.size();
    for (std::size_t c = 0; c < count;) {
        const std::string& upper = layout.columns[c].headings[0];
        const std::string& lower = layout.columns[c].headings[1];
        lxw_error error = LXW_NO_ERROR;
        if (isBlank(upper) || isBlank(lower)) {
            error = worksheet_merge_range(sheet, row, c, row + 1, c,
                                          (isBlank(upper) ? lower : upper).c_str(), format);
            ++c;
        } else {
            std::size_t end = c + 1;
            while (end < count && layout.columns[end].headings[0] == upper &&
                   !isBlank(layout.columns[end].headings[1])) {
                ++end;
            }
            error = end - c > 1
                        ? worksheet_merge_range(sheet, row, c, row, end - 1, upper.c_str(), format)
                        : worksheet_write_string(sheet, row, c, upper.c_str(), format);
            for (std::size_t k = c; k < end && error == LXW_NO_ERROR; ++k) {
                error = worksheet_write_string(sheet, row + 1, k,
                                               layout.columns[k].headings[1].c_str(), format);
            }
            c = end;
        }
        if (error != LXW_NO_ERROR) {
            return false;
        }
    }
    return true;
}

bool writeSheet(lxw_workbook* book, const LayoutSheet& layout) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "一覧");
    if (sheet == nullptr) {
        return false;
    }
    const Formats formats = makeFormats(book);
    for (std::size_t c = 0; c < layout.columns.size(); ++c) {
        const LayoutSheet::Column& column = layout.columns[c];
        worksheet_set_column(sheet, c, c, column.width,
                             column.numeric ? formats.number : formats.text);
    }
    if (worksheet_write_string(sheet, 0, 0, layout.title.c_str(), formats.title) != LXW_NO_ERROR) {
        return false;
    }
    const std::size_t headingRows = layout.columns.front().headings.size();
    // Rows counted from 0 here: the data starts at dataStartRow - 1.
    const lxw_row_t firstHeading = static_cast<lxw_row_t>(layout.dataStartRow - 1 - headingRows);
    const bool written = headingRows == 1
                             ? writeOneRow(sheet, layout, firstHeading, formats.heading)
                             : writeTwoRows(sheet, layout, firstHeading, formats.heading);
    if (!written) {
        return false;
    }
    worksheet_set_paper(sheet, a4);
    if (layout.landscape) {
        worksheet_set_landscape(sheet);
    } else {
        worksheet_set_portrait(sheet);
    }
    worksheet_set_margins(sheet, 0.4, 0.4, 0.6, 0.6);
    worksheet_center_horizontally(sheet);
    worksheet_fit_to_pages(sheet, 1, 0);
    return worksheet_repeat_rows(sheet, 0, layout.dataStartRow - 2) == LXW_NO_ERROR &&
           worksheet_set_footer(sheet, footer) == LXW_NO_ERROR;
}

}  // namespace

bool writeLayout(const LayoutSheet& layout, const std::string& path) {
    lxw_workbook* book = workbook_new(path.c_str());
    if (book == nullptr) {
        return false;
    }
    const bool written = writeSheet(book, layout);
    const lxw_error closed = workbook_close(book);
    return written && closed == LXW_NO_ERROR;
}
