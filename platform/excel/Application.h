#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "ExcelError.h"
#include "Workbook.h"

namespace excel {

// The spreadsheet application as the list output drives it: it opens workbooks,
// prints their first sheet through the spreadsheet program and closes them. Opening,
// changing and saving work on the files themselves; only printing and showing a
// workbook need the spreadsheet program (CanPrint), and without it they fail with
// error 429, as a missing application does. Nothing is ever asked of the user.
class Application {
  public:
    Application() = default;
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // True when the spreadsheet program is installed.
    static bool CanPrint();

    // Workbooks.Open: 0 or the error number.
    int32_t Open(const QString& path);
    // Workbooks(name); nullptr when no open workbook has that file name.
    Workbook* Workbooks(const QString& name);
    // Sheets(1).PrintOut on the print destination: 0, 429 without the spreadsheet
    // program, or 1004.
    int32_t PrintOut(Workbook& book);
    // Workbooks(name).Close, without saving: 0 or 9.
    int32_t Close(const QString& name);
    // Closes every workbook without saving.
    void Quit();

    // A visible spreadsheet application with the workbook open, left to the user: 0,
    // 429 when the program is not installed, 1004 when it did not start.
    static int32_t ShowWorkbook(const QString& path);

  private:
    std::vector<std::unique_ptr<Workbook>> books_;
};

}  // namespace excel
