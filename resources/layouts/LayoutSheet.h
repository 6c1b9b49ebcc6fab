#pragma once

#include <string>
#include <vector>

// One layout workbook: the title in A1, the day in A2 where the list has one, the
// headings in the rows just above the first data row, and a width and an alignment
// for each column of the list.
struct LayoutSheet {
    struct Column {
        std::vector<std::string> headings;  // one text per heading row
        double width;                       // in characters
        bool numeric;                       // right-aligned
    };

    const char* fileName;
    std::string title;
    int dataStartRow;  // 1-based, as the list output counts
    bool landscape;
    std::vector<Column> columns;
};

// The seven layouts the list screens fill.
const std::vector<LayoutSheet>& layoutSheets();
