#pragma once

#include <QString>

namespace printer {

// Sends a PDF file to the default printer as a job of that title, on A4 paper like
// every print of the system; false when there is no default printer or the print
// server refused the job.
bool printPdfFile(const QString& path, const QString& title);

// True when the print server names a default printer.
bool hasDefaultPrinter();

}  // namespace printer
