#include "VBPrintout.h"

#include <algorithm>

#include "platform/printer/Printer.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace {

const QString bodyFontName = QStringLiteral("MSゴシック");
constexpr int16_t titleFontSize = 14;
constexpr double rowHeight = 5;    // one heading or data row
constexpr double gridTop = 35;     // the rule above the headings
constexpr double textOffset = 1;   // a row's text below its rule
constexpr double cellPadding = 2;  // left or right aligned text from the column's edge
constexpr double headerRuleEnd = 280;

enum Align : int16_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

}  // namespace

VBPrintout::VBPrintout() {
    CreateClear();
}

VBPrintout::~VBPrintout() = default;

void VBPrintout::FontSize(int16_t argFontSize) {
    fontSize_ = argFontSize;
}

void VBPrintout::ListFileName(const QString& argListFileName) {
    listFileName_ = argListFileName;
}

void VBPrintout::PrintOutType(uint8_t argPrintOutType) {
    printOutType_ = argPrintOutType;
}

void VBPrintout::TitleName(int argRec, int argCol, const QString& argTitleName) {
    if (argRec == 0 && argCol == 0) {
        titleNames_.assign(titleRec_, std::vector<QString>(titleCol_));
    }
    if (argRec < 0 || argRec >= static_cast<int>(titleNames_.size()) || argCol < 0 ||
        argCol >= titleCol_) {
        settingsInvalid_ = true;
        return;
    }
    titleNames_[argRec][argCol] = argTitleName;
}

void VBPrintout::ColWidth(int argCol, int16_t argColWidth) {
    if (argCol == 0) {
        colWidths_.assign(titleCol_, std::nullopt);
    }
    if (argCol < 0 || argCol >= static_cast<int>(colWidths_.size())) {
        settingsInvalid_ = true;
        return;
    }
    colWidths_[argCol] = argColWidth;
}

void VBPrintout::ColAlign(int argCol, int16_t argColAlign) {
    if (argCol == 0) {
        colAligns_.assign(titleCol_, std::nullopt);
    }
    if (argCol < 0 || argCol >= static_cast<int>(colAligns_.size())) {
        settingsInvalid_ = true;
        return;
    }
    colAligns_[argCol] = argColAlign;
}

void VBPrintout::ColFormat(int argCol, const QString& argColFormat) {
    formatsGiven_ = true;
    if (argCol == 0) {
        colFormats_.assign(titleCol_, QString());
    }
    if (argCol < 0 || argCol >= static_cast<int>(colFormats_.size())) {
        settingsInvalid_ = true;
        return;
    }
    colFormats_[argCol] = argColFormat;
}

void VBPrintout::SelectDate(const vb::Date& argSelectDate) {
    selectDate_ = argSelectDate;
}

void VBPrintout::Info(const vb::VariantArray& argInfo) {
    info_ = argInfo;
}

void VBPrintout::TitleRec(uint8_t argTitleRec) {
    titleRec_ = argTitleRec;
}

void VBPrintout::TitleCol(uint8_t argTitleCol) {
    titleCol_ = argTitleCol;
}

void VBPrintout::CreateClear() {
    fontSize_ = 10;
    listFileName_.clear();
    printOutType_ = 0;
    titleNames_.clear();
    colWidths_.clear();
    colAligns_.clear();
    colFormats_.clear();
    formatsGiven_ = false;
    info_ = vb::VariantArray();
    titleRec_ = 0;
    titleCol_ = 0;
    settingsInvalid_ = false;
    left_.clear();
    right_.clear();
}

bool VBPrintout::Landscape() const {
    return printOutType_ != PortraitToday && printOutType_ != PortraitSelectDate;
}

double VBPrintout::GridBottom() const {
    return Landscape() ? 190 : 270;
}

int VBPrintout::LinesPerPage() const {
    return (Landscape() ? 30 : 46) - titleRec_;
}

double VBPrintout::LeftMargin() const {
    return printOutType_ == LandscapeNarrowMargin ? 5 : 20;
}

double VBPrintout::PageWidth() const {
    return Landscape() ? 295 : 210;
}

double VBPrintout::Right() const {
    return right_.back();
}

bool VBPrintout::ComputeColumns() {
    left_.clear();
    right_.clear();
    if (titleCol_ == 0 || colWidths_.size() != titleCol_) {
        return false;
    }
    double x = LeftMargin();
    for (const std::optional<int16_t>& width : colWidths_) {
        if (!width || *width <= 0) {
            return false;
        }
        left_.push_back(x);
        x += *width;
        right_.push_back(x);
    }
    return true;
}

// Everything that can go wrong is found before the document starts.
bool VBPrintout::Validate() const {
    if (settingsInvalid_ || printOutType_ > LandscapeSelectDate || LinesPerPage() < 0 ||
        Right() > (Landscape() ? 297 : 210) || colAligns_.size() != titleCol_ ||
        colFormats_.size() != titleCol_) {
        return false;
    }
    for (const std::optional<int16_t>& align : colAligns_) {
        if (!align || *align < AlignLeft || *align > AlignCenter) {
            return false;
        }
    }
    if (info_.isEmpty()) {
        return true;
    }
    return info_.dimensions() == 2 && info_.cols() >= titleCol_;
}

void VBPrintout::Print(printer::Printer& p, double x, double y, const QString& text) const {
    p.SetCurrentX(x);
    p.SetCurrentY(y);
    p.Print(text);
}

void VBPrintout::SetPrinterFont(printer::Printer& p) const {
    p.SetFontSize(fontSize_);
    p.SetFontName(bodyFontName);
}

void VBPrintout::PrintPageHeader(printer::Printer& p) const {
    p.SetPaperSize(printer::vbPRPSA4);
    p.SetOrientation(Landscape() ? printer::vbPRORLandscape : printer::vbPRORPortrait);
    SetPrinterFont(p);
    const QString today = vb::Format(vb::Today(), "yyyy/mm/dd");
    switch (printOutType_) {
        case LandscapeToday:
        case LandscapeNarrowMargin:
            Print(p, 260, 15, today);
            p.Line(LeftMargin(), 20, headerRuleEnd, 20);
            p.Line(LeftMargin(), 27, headerRuleEnd, 27);
            break;
        case PortraitToday:
            Print(p, 170, 15, today);
            p.Line(20, 20, 200, 20);
            p.Line(20, 27, 200, 27);
            break;
        default:
            Print(p, 20, 30,
                  QStringLiteral("%1年　%2月　%3日")
                      .arg(selectDate_.year())
                      .arg(selectDate_.month())
                      .arg(selectDate_.day()));
            break;
    }
    p.SetFontSize(titleFontSize);
    Print(p, (PageWidth() - p.TextWidth(listFileName_)) / 2, 22, listFileName_);
}

void VBPrintout::PrintHeadings(printer::Printer& p) const {
    p.Line(left_.front(), gridTop, Right(), gridTop);
    for (std::size_t r = 0; r < titleNames_.size(); ++r) {
        for (std::size_t c = 0; c < titleNames_[r].size(); ++c) {
            const QString& text = titleNames_[r][c];
            const double width = right_[c] - left_[c];
            Print(p, left_[c] + (width - p.TextWidth(text)) / 2,
                  gridTop + textOffset + rowHeight * r, text);
        }
    }
    for (const double x : left_) {
        p.Line(x, gridTop, x, GridBottom());
    }
    p.Line(Right(), gridTop, Right(), GridBottom());
    p.Line(left_.front(), GridBottom(), Right(), GridBottom());
}

void VBPrintout::PrintPageNumber(printer::Printer& p, int page, int pages) const {
    const QString text = QStringLiteral("%1 / %2").arg(page).arg(pages);
    Print(p, (PageWidth() - p.TextWidth(text)) / 2, Landscape() ? 195 : 275, text);
}

// The cell's text and where it starts, measured by the text that is printed.
bool VBPrintout::CellText(printer::Printer& p, int row, int col, Cell& cell) const {
    try {
        const vb::Variant& value = info_(row, col);
        const QString format = vb::Trim(colFormats_[col]);
        if (!format.isEmpty()) {
            cell.text = vb::Format(value, format);
        } else {
            cell.text = value.isNull() ? QString() : value.toString();
        }
    } catch (const vb::RuntimeError&) {
        return false;
    }
    const double width = p.TextWidth(cell.text);
    switch (*colAligns_[col]) {
        case AlignLeft:
            cell.x = left_[col] + cellPadding;
            break;
        case AlignRight:
            cell.x = right_[col] - width - cellPadding;
            break;
        default:
            cell.x = left_[col] + (right_[col] - left_[col] - width) / 2;
            break;
    }
    return true;
}

int16_t VBPrintout::Execute() {
    if (!formatsGiven_) {
        colFormats_.assign(titleCol_, QString());
    }
    if (!ComputeColumns() || !Validate()) {
        return -1;
    }
    if (titleNames_.empty()) {
        titleNames_.assign(titleRec_, std::vector<QString>(titleCol_));
    }
    const int rowsPerPage = LinesPerPage() + 1;
    const int rows = info_.isEmpty() ? 0 : info_.rows();
    const int pages = std::max(1, (rows + rowsPerPage - 1) / rowsPerPage);

    printer::Printer p;
    p.SetScaleMode(printer::vbMillimeters);
    SetPrinterFont(p);
    std::vector<std::vector<Cell>> cells(rows, std::vector<Cell>(titleCol_));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < titleCol_; ++c) {
            if (!CellText(p, r, c, cells[r][c])) {
                return -1;
            }
        }
    }

    for (int page = 1; page <= pages; ++page) {
        PrintPageHeader(p);
        SetPrinterFont(p);
        PrintHeadings(p);
        for (int slot = 0; slot < rowsPerPage; ++slot) {
            const double rule = titleRec_ * rowHeight + gridTop + rowHeight * slot;
            p.Line(left_.front(), rule, Right(), rule);
            const int row = (page - 1) * rowsPerPage + slot;
            if (row >= rows) {
                continue;
            }
            for (int c = 0; c < titleCol_; ++c) {
                Print(p, cells[row][c].x, rule + textOffset, cells[row][c].text);
            }
        }
        PrintPageNumber(p, page, pages);
        if (page < pages) {
            p.NewPage();
        }
    }
    return p.EndDoc() ? 0 : -1;
}
