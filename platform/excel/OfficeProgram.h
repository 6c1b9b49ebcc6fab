#pragma once

#include <QString>

namespace excel::office {

// LibreOffice Calc plays the spreadsheet application. Each headless run gets a new
// profile of its own, so that runs side by side do not meet and the user's own
// settings are neither used nor changed; the profile replaces the workbooks' Japanese
// fonts ("ＭＳ ゴシック", "MS UI Gothic") by the installed Japanese Gothic and has
// every formula of a workbook calculated anew when it is loaded.

// The program started; "soffice" unless set (tests name one that is not installed).
void setProgram(const QString& program);
// How long one run may take before it is stopped as hung: two minutes unless set
// (tests shorten it; 0 gives the two minutes again).
void setRunTimeout(int milliseconds);
// The program's full path; "" when it is not installed.
QString programPath();

// Converts a workbook into a PDF file; true when the file was made.
bool convertToPdf(const QString& workbookPath, const QString& pdfPath);
// Opens a workbook in a window of its own and leaves it to the user.
bool openVisible(const QString& workbookPath);

}  // namespace excel::office
