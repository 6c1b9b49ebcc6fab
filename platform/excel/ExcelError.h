#pragma once

#include <cstdint>

namespace excel {

// Run-time errors of the spreadsheet application.
enum ExcelError : int32_t {
    errSubscriptOutOfRange = 9,  // no open workbook of that name
    errTypeMismatch = 13,        // a value no cell can hold
    errFileNotFound = 53,
    errCannotCreateObject = 429,   // the application is not installed
    errApplicationDefined = 1004,  // a range outside the sheet, a failed save or print
};

}  // namespace excel
