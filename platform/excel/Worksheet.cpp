#include "Worksheet.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>

#include "CellNumber.h"
#include "CellRef.h"
#include "ExcelError.h"
#include "XmlPart.h"
#include "platform/runtime/RuntimeError.h"

namespace excel {

namespace {

// The built-in number format of a short date.
constexpr int shortDateFormat = 14;
const QString generalFormat = QStringLiteral("General");
const QString textFormat = QStringLiteral("@");

// The shortest text that reads back as the same number, in plain decimals ("100000",
// not "1e+05"), as a reader of the file expects.
std::string numberText(double value) {
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

int columnOf(pugi::xml_node cell) {
    const std::optional<CellRef> ref =
        parseCellName(QString::fromUtf8(cell.attribute("r").value()));
    return ref ? ref->col : 0;
}

bool insideSheet(int row, int col) {
    return row >= 1 && row <= MaxRow && col >= 1 && col <= MaxCol;
}

// The sides of one cell of the range that a border index draws.
int sidesFor(int index, int row, int col, int row1, int col1, int row2, int col2) {
    switch (index) {
        case xlEdgeLeft:
            return col == col1 ? SideLeft : 0;
        case xlEdgeTop:
            return row == row1 ? SideTop : 0;
        case xlEdgeBottom:
            return row == row2 ? SideBottom : 0;
        case xlEdgeRight:
            return col == col2 ? SideRight : 0;
        case xlInsideVertical:
            return (col > col1 ? SideLeft : 0) | (col < col2 ? SideRight : 0);
        case xlInsideHorizontal:
            return (row > row1 ? SideTop : 0) | (row < row2 ? SideBottom : 0);
        default:
            return 0;
    }
}

}  // namespace

Worksheet::Worksheet(Styles& styles, const std::vector<QString>& sharedStrings)
    : styles_(styles), sharedStrings_(sharedStrings) {}

bool Worksheet::load(const QByteArray& part) {
    if (!xmlpart::load(document_, part) ||
        !xmlpart::isNamed(document_.document_element(), "worksheet")) {
        return false;
    }
    sheetData_ = xmlpart::child(document_.document_element(), "sheetData");
    if (!sheetData_) {
        return false;
    }
    const std::string name = sheetData_.name();
    prefix_ = name.substr(0, name.size() - std::strlen("sheetData"));
    normalize();
    return true;
}

// Every row and cell gets its reference (they may be left out when they follow on),
// row spans are dropped since written cells may lie outside them, and the column
// styles are read.
void Worksheet::normalize() {
    int lastRow = 0;
    for (pugi::xml_node row : sheetData_.children()) {
        if (!xmlpart::isNamed(row, "row")) {
            continue;
        }
        const int number = row.attribute("r").as_int(lastRow + 1);
        row.remove_attribute("r");
        row.prepend_attribute("r").set_value(number);
        row.remove_attribute("spans");
        rows_[number] = row;
        lastRow = number;
        int lastCol = 0;
        for (pugi::xml_node cell : row.children()) {
            if (!xmlpart::isNamed(cell, "c")) {
                continue;
            }
            const int col = cell.attribute("r") ? columnOf(cell) : lastCol + 1;
            cell.remove_attribute("r");
            cell.prepend_attribute("r").set_value(cellName(number, col).toUtf8().constData());
            lastCol = col;
        }
    }
    const pugi::xml_node cols = xmlpart::child(document_.document_element(), "cols");
    for (pugi::xml_node col : cols.children()) {
        if (xmlpart::isNamed(col, "col") && col.attribute("style")) {
            columns_.push_back(ColumnStyle{col.attribute("min").as_int(),
                                           col.attribute("max").as_int(),
                                           col.attribute("style").as_int()});
        }
    }
}

QByteArray Worksheet::save() {
    dropFormulaResults();
    updateDimension();
    return xmlpart::save(document_);
}

void Worksheet::dropFormulaResults() {
    for (const auto& [number, row] : rows_) {
        for (pugi::xml_node cell : row.children()) {
            xmlpart::dropFormulaResult(cell);
        }
    }
}

void Worksheet::updateDimension() {
    int top = INT_MAX, left = INT_MAX, bottom = 0, right = 0;
    for (const auto& [number, row] : rows_) {
        for (pugi::xml_node cell : row.children()) {
            if (xmlpart::isNamed(cell, "c")) {
                const int col = columnOf(cell);
                top = std::min(top, number);
                bottom = std::max(bottom, number);
                left = std::min(left, col);
                right = std::max(right, col);
            }
        }
    }
    const QString ref = bottom == 0 ? QStringLiteral("A1")
                        : top == bottom && left == right
                            ? cellName(top, left)
                            : cellName(top, left) + ":" + cellName(bottom, right);
    pugi::xml_node worksheet = document_.document_element();
    pugi::xml_node dimension = xmlpart::child(worksheet, "dimension");
    if (!dimension) {
        const pugi::xml_node sheetPr = xmlpart::child(worksheet, "sheetPr");
        dimension = sheetPr ? worksheet.insert_child_after(qualified("dimension").c_str(), sheetPr)
                            : worksheet.prepend_child(qualified("dimension").c_str());
    }
    dimension.remove_attributes();
    dimension.append_attribute("ref").set_value(ref.toUtf8().constData());
}

pugi::xml_node Worksheet::findCell(int row, int col) const {
    const auto found = rows_.find(row);
    if (found == rows_.end()) {
        return pugi::xml_node();
    }
    for (pugi::xml_node cell : found->second.children()) {
        if (xmlpart::isNamed(cell, "c") && columnOf(cell) == col) {
            return cell;
        }
    }
    return pugi::xml_node();
}

pugi::xml_node Worksheet::rowNode(int row) {
    if (const auto found = rows_.find(row); found != rows_.end()) {
        return found->second;
    }
    const auto next = rows_.upper_bound(row);
    pugi::xml_node node = next == rows_.end() ? sheetData_.append_child(qualified("row").c_str())
                                              : sheetData_.insert_child_before(
                                                    qualified("row").c_str(), next->second);
    node.append_attribute("r").set_value(row);
    rows_[row] = node;
    return node;
}

// The cell, made when it does not exist yet.
pugi::xml_node Worksheet::cellNode(int row, int col) {
    pugi::xml_node rowElement = rowNode(row);
    pugi::xml_node before;
    for (pugi::xml_node cell : rowElement.children()) {
        if (!xmlpart::isNamed(cell, "c")) {
            continue;
        }
        const int c = columnOf(cell);
        if (c == col) {
            return cell;
        }
        if (c > col) {
            before = cell;
            break;
        }
    }
    pugi::xml_node cell = before ? rowElement.insert_child_before(qualified("c").c_str(), before)
                                 : rowElement.append_child(qualified("c").c_str());
    cell.append_attribute("r").set_value(cellName(row, col).toUtf8().constData());
    setStyle(cell, newCellStyle(row, col));
    return cell;
}

int Worksheet::cellStyle(int row, int col) const {
    const pugi::xml_node cell = findCell(row, col);
    return cell ? cell.attribute("s").as_int(0) : newCellStyle(row, col);
}

// A new cell looks like its row when the row has a look of its own, else like its
// column; under a sheet font it takes that font.
int Worksheet::newCellStyle(int row, int col) const {
    int style = 0;
    const auto found = rows_.find(row);
    if (found != rows_.end() && found->second.attribute("customFormat").as_bool()) {
        style = found->second.attribute("s").as_int(0);
    } else {
        for (const ColumnStyle& column : columns_) {
            if (col >= column.min && col <= column.max) {
                style = column.style;
            }
        }
    }
    return font_ ? styles_.withFont(style, *font_) : style;
}

void Worksheet::setStyle(pugi::xml_node cell, int style) {
    pugi::xml_attribute attribute = cell.attribute("s");
    if (style == 0) {
        cell.remove_attribute("s");
        return;
    }
    if (!attribute) {
        attribute = cell.insert_attribute_after("s", cell.attribute("r"));
    }
    attribute.set_value(style);
}

void Worksheet::clearValue(pugi::xml_node cell) {
    for (const char* part : {"f", "v", "is"}) {
        while (pugi::xml_node node = xmlpart::child(cell, part)) {
            formulasReplaced_ = formulasReplaced_ || std::strcmp(part, "f") == 0;
            cell.remove_child(node);
        }
    }
    cell.remove_attribute("t");
}

int32_t Worksheet::writeValue(pugi::xml_node cell, const vb::Variant& value) {
    if (value.isArray()) {
        return errTypeMismatch;
    }
    clearValue(cell);
    const auto appendValue = [&](const std::string& text) {
        cell.append_child(qualified("v").c_str()).text().set(text.c_str());
    };
    try {
        switch (value.type()) {
            case vb::VarType::Empty:
            case vb::VarType::Null:
                break;
            case vb::VarType::String: {
                // An empty text leaves the cell empty, as a typed entry of nothing does.
                if (value.toString().isEmpty()) {
                    break;
                }
                const int style = cell.attribute("s").as_int(0);
                const QString format = styles_.numberFormatCode(style);
                const std::optional<CellNumber> number =
                    format == textFormat ? std::nullopt : readCellNumber(value.toString());
                if (number) {
                    // A cell of its own number format keeps it; a general one shows the
                    // number as the text wrote it.
                    if (format == generalFormat && !number->format.isEmpty()) {
                        setStyle(cell, styles_.withNumberFormat(style, number->format));
                    }
                    appendValue(numberText(number->value));
                    break;
                }
                cell.append_attribute("t").set_value("inlineStr");
                pugi::xml_node text =
                    cell.append_child(qualified("is").c_str()).append_child(qualified("t").c_str());
                text.append_attribute("xml:space").set_value("preserve");
                text.text().set(xmlpart::encodeText(value.toString()).c_str());
                break;
            }
            case vb::VarType::Boolean:
                cell.append_attribute("t").set_value("b");
                appendValue(value.toBool() ? "1" : "0");
                break;
            case vb::VarType::Currency:
                appendValue(value.toCurrency().toString().toStdString());
                break;
            case vb::VarType::Date:
                setStyle(cell,
                         styles_.withNumberFormat(cell.attribute("s").as_int(0), shortDateFormat));
                appendValue(numberText(value.toDate().serial()));
                break;
            default: {
                const double number = value.toDouble();
                if (!std::isfinite(number)) {
                    return errApplicationDefined;
                }
                appendValue(numberText(number));
                break;
            }
        }
    } catch (const vb::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

int32_t Worksheet::SetValue(int row, int col, const vb::Variant& value) {
    if (!insideSheet(row, col)) {
        return errApplicationDefined;
    }
    return writeValue(cellNode(row, col), value);
}

int32_t Worksheet::SetValues(int row, int col, const vb::VariantArray& values) {
    if (values.dimensions() != 2) {
        return errTypeMismatch;
    }
    if (!insideSheet(row, col) || !insideSheet(row + values.rows() - 1, col + values.cols() - 1)) {
        return errApplicationDefined;
    }
    for (int r = 0; r < values.rows(); ++r) {
        for (int c = 0; c < values.cols(); ++c) {
            if (const int32_t error = writeValue(cellNode(row + r, col + c), values(r, c))) {
                return error;
            }
        }
    }
    return 0;
}

void Worksheet::SetFont(const QString& fontName) {
    font_ = fontName;
    for (auto& [number, row] : rows_) {
        if (pugi::xml_attribute style = row.attribute("s")) {
            style.set_value(styles_.withFont(style.as_int(), fontName));
        }
        for (pugi::xml_node cell : row.children()) {
            if (xmlpart::isNamed(cell, "c")) {
                setStyle(cell, styles_.withFont(cell.attribute("s").as_int(0), fontName));
            }
        }
    }
    const pugi::xml_node cols = xmlpart::child(document_.document_element(), "cols");
    for (pugi::xml_node col : cols.children()) {
        if (pugi::xml_attribute style = col.attribute("style")) {
            style.set_value(styles_.withFont(style.as_int(), fontName));
        }
    }
    for (ColumnStyle& column : columns_) {
        column.style = styles_.withFont(column.style, fontName);
    }
}

int32_t Worksheet::SetBorder(int row1, int col1, int row2, int col2, int index, int lineStyle) {
    if (!insideSheet(row1, col1) || !insideSheet(row2, col2) || row1 > row2 || col1 > col2 ||
        index < xlEdgeLeft || index > xlInsideHorizontal ||
        (lineStyle != xlContinuous && lineStyle != xlLineStyleNone)) {
        return errApplicationDefined;
    }
    for (int row = row1; row <= row2; ++row) {
        for (int col = col1; col <= col2; ++col) {
            const int sides = sidesFor(index, row, col, row1, col1, row2, col2);
            if (sides != 0) {
                pugi::xml_node cell = cellNode(row, col);
                setStyle(cell, styles_.withBorder(cell.attribute("s").as_int(0), sides,
                                                  lineStyle == xlContinuous));
            }
        }
    }
    return 0;
}

vb::Variant Worksheet::Value(int row, int col) const {
    const pugi::xml_node cell = findCell(row, col);
    const std::string type = cell.attribute("t").value();
    const pugi::xml_node v = xmlpart::child(cell, "v");
    if (type == "inlineStr") {
        return xmlpart::stringItemText(xmlpart::child(cell, "is"));
    }
    if (!v) {
        return vb::Variant();
    }
    if (type == "s") {
        const int index = v.text().as_int(-1);
        return index >= 0 && index < static_cast<int>(sharedStrings_.size()) ? sharedStrings_[index]
                                                                             : QString();
    }
    if (type == "str" || type == "e") {
        return xmlpart::decodeText(v.child_value());
    }
    if (type == "b") {
        return v.text().as_bool();
    }
    return v.text().as_double();
}

QString Worksheet::FontName(int row, int col) const {
    return styles_.fontName(cellStyle(row, col));
}

QString Worksheet::NumberFormat(int row, int col) const {
    return styles_.numberFormatCode(cellStyle(row, col));
}

bool Worksheet::FontBold(int row, int col) const {
    return styles_.fontBold(cellStyle(row, col));
}

int Worksheet::BorderSides(int row, int col) const {
    return styles_.borderSides(cellStyle(row, col));
}

}  // namespace excel
