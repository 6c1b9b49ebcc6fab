#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "ExcelError.h"
#include "Workbook.h"

namespace excel {

// The spreadsheet application as the list output drives it: it opens workbooks,
// prints their first sheet through the spreadsheet program and closes them. It is
// started when the program is installed (Started); otherwise every call fails with
// error 429, as a missing application does. Nothing is ever asked of the user.
class Application {
  public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    bool Started() const { return started_; }

    // Workbooks.Open: 0 or the error number.
    int32_t Open(const QString& path);
    // Workbooks(name); nullptr when no open workbook has that file name.
    Workbook* Workbooks(const QString& name);
    // Sheets(1).PrintOut on the print destination: 0 or 1004.
    int32_t PrintOut(Workbook& book);
    // Workbooks(name).Close, without saving: 0 or 9.
    int32_t Close(const QString& name);
    // Closes every workbook without saving; afterwards the application is gone.
    void Quit();

    // A visible spreadsheet application with the workbook open, left to the user: 0,
    // 429 when the program is not installed, 1004 when it did not start.
    static int32_t ShowWorkbook(const QString& path);

  private:
    bool started_;
    std::vector<std::unique_ptr<Workbook>> books_;
};

}  // namespace excel
