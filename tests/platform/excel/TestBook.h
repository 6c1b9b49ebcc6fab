#pragma once

#include <QString>

// A small workbook written with libxlsxwriter, as a user's spreadsheet application would
// leave it: sheet "一覧" with the bold title "タイトル" in A1 (a shared string), the
// number 7 in A10 and the formula =A10*2 in B10, column B styled in Arial and
// right-aligned, column C formatted as text and column D as #,##0"円"; a second
// sheet "別".
void writeTestBook(const QString& path);
