#pragma once

#include <string>

#include "LayoutSheet.h"

// Writes a layout workbook: title, headings, column widths and alignments, and the page
// setup for A4 (fitted to the page width, title and headings on every page, page
// numbers in the footer); text columns are formatted as text. False when the file could not be
// written.
bool writeLayout(const LayoutSheet& sheet, const std::string& path);
