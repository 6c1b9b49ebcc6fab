#include "ExpandGrid.h"

#include <algorithm>
#include <limits>

#include "CellEditValidator.h"
#include "CellEditor.h"
#include "CellMoves.h"
#include "CellText.h"
#include "GridPainter.h"
#include "NumericFilter.h"
#include "OverBody.h"
#include "platform/forms/KeyCodes.h"
#include "platform/runtime/RuntimeError.h"

namespace {

constexpr double NewRowHeight = 400;
constexpr double NewColWidth = 1000;
constexpr double Unlimited = std::numeric_limits<double>::infinity();

}  // namespace

ExpandGrid::ExpandGrid() {
    layout_.ResizeRows(1, NewRowHeight);
    layout_.ResizeCols(1, NewColWidth);
    values_ = vb::VariantArray(1, 1);
    values_(0, 0) = vb::Variant(QString());
}

void ExpandGrid::BodyPictureBox(forms::PictureBox* body) {
    bodyEvents_.clear();
    body_ = body;
    if (!body_) {
        return;
    }
    body_->SetAppearance(0);
    body_->SetAutoRedraw(true);
    body_->SetBorderStyle(0);
    body_->SetFillStyle(forms::vbFSSolid);
    // The mark shows whether the body has the focus.
    bodyEvents_.push_back(body_->GotFocus.connect([this] { Redraw(); }));
    bodyEvents_.push_back(body_->LostFocus.connect([this] { Redraw(); }));
}

void ExpandGrid::EditTextBox(QLineEdit* editor) {
    editor_ = editor;
    if (!editor_) {
        return;
    }
    editor_->hide();
    editor_->setFrame(false);
    if (!validator_ || validator_->parent() != editor_) {
        validator_ = new CellEditValidator(editor_);
    }
    editor_->setValidator(validator_);
}

void ExpandGrid::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = size.toInteger();
    } catch (const vb::RuntimeError&) {
    }
}

void ExpandGrid::Rows(int16_t rows) {
    if (rows < 0) {
        return;
    }
    layout_.ResizeRows(rows, NewRowHeight);
    resetValues();
    if (!layout_.HasRow(current_.Row)) {
        current_ = GridCellInfo{};
    }
}

void ExpandGrid::Cols(int16_t cols) {
    if (cols < 0) {
        return;
    }
    layout_.ResizeCols(cols, NewColWidth);
    resetValues();
    if (!layout_.HasCol(current_.Col)) {
        current_ = GridCellInfo{};
    }
}

void ExpandGrid::RowsHeight(int16_t row, int32_t height) {
    if (layout_.HasRow(row)) {
        layout_.Row(row).Height = height;
    }
}

void ExpandGrid::ColsWidth(int16_t col, int32_t width) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Width = width;
    }
}

void ExpandGrid::ColsColor(int16_t col, long color) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Color = color;
    }
}

void ExpandGrid::ColsAlign(int16_t col, int16_t align) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Align = align;
    }
}

void ExpandGrid::ColsFormat(int16_t col, const QString& format) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Format = format;
    }
}

void ExpandGrid::ColsType(int16_t col, int16_t type) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Flags = DecodeColsType(type);
    }
}

void ExpandGrid::ColsEditMode(int16_t col, int16_t mode) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).EditMode = mode;
    }
}

void ExpandGrid::ColsEditMaxLength(int16_t col, int32_t length) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).EditMaxLength = static_cast<float>(length);
    }
}

QString ExpandGrid::Value(int16_t row, int16_t col) const {
    return CellText::At(values_, row, col);
}

void ExpandGrid::Value(int16_t row, int16_t col, const QString& text) {
    CellText::Store(values_, row, col, text);
}

void ExpandGrid::ValueMatrix(const vb::VariantArray& values) {
    CellText::Assign(values_, values);
}

void ExpandGrid::Redraw() {
    layOut();
    height_ = static_cast<int32_t>(layout_.DrawnHeight());
    width_ = static_cast<int32_t>(layout_.DrawnWidth());
    if (!body_) {
        return;
    }
    body_->SetFontName(fontName_);
    body_->SetFontSize(fontSize_);
    if (autoSize_) {
        body_->SetHeight(height_ + 15);
        body_->SetWidth(width_ + 15);
    }
    body_->Cls();
    GridPainter::PaintSimple(*body_, layout_, values_, current_, body_->hasFocus());
}

void ExpandGrid::GetCellPos(double x, double y, int16_t& row, int16_t& col) const {
    row = static_cast<int16_t>(layout_.RowAt(y));
    col = static_cast<int16_t>(layout_.ColAt(x));
}

void ExpandGrid::SelectCell(int16_t row, int16_t col) {
    EditCancelCell();
    setCurrentCell(row, col);
    if (current_.Valid && !autoSize_ &&
        layout_.SpanHeight(layout_.TopRow(), current_.Row) > bodyHeight()) {
        setTopRow(layout_.TopRow() + 1);
        setCurrentCell(row, col);
    }
    Redraw();
}

void ExpandGrid::VScroll(const vb::Variant& value) {
    try {
        layout_.SetTopRow(value.toInteger());
    } catch (const vb::RuntimeError&) {
        return;
    }
    EditCancelCell();
    if (current_.Valid) {
        setCurrentCell(current_.Row, current_.Col);
    }
}

void ExpandGrid::MouseDown(int, int, double x, double y) {
    int16_t row = -1;
    int16_t col = -1;
    GetCellPos(x, y, row, col);
    if (row >= 0 && col >= 0) {
        SelectCell(row, col);
    }
}

void ExpandGrid::Grid_KeyDown(int keyCode, int shift) {
    bodyKeyDown(keyCode, shift);
}

void ExpandGrid::Grid_KeyPress(int& keyAscii) {
    if (bodyKeyPress(keyAscii)) {
        keyAscii = 0;
    }
}

bool ExpandGrid::moveByKey(int keyCode) {
    CellMoves::Cell (*move)(const GridLayout&, CellMoves::Cell) = nullptr;
    switch (keyCode) {
        case forms::vbKeyReturn:
        case forms::vbKeyRight:
            move = CellMoves::Right;
            break;
        case forms::vbKeyLeft:
            move = CellMoves::Left;
            break;
        case forms::vbKeyUp:
            move = CellMoves::Up;
            break;
        case forms::vbKeyDown:
            move = CellMoves::Down;
            break;
        default:
            return false;
    }
    if (current_.Valid) {
        const CellMoves::Cell to = move(layout_, {current_.Row, current_.Col});
        moveTo(to.row, to.col);
    }
    return true;
}

void ExpandGrid::Edit_KeyDown(int& keyCode, int shift) {
    switch (keyCode) {
        case forms::vbKeyReturn:
        case forms::vbKeyRight:
        case forms::vbKeyLeft:
        case forms::vbKeyUp:
        case forms::vbKeyDown:
            EditCancelCell();
            Grid_KeyDown(keyCode, shift);
            keyCode = 0;
            return;
        default:
            return;
    }
}

void ExpandGrid::Edit_KeyPress(int& keyAscii) {
    if (keyAscii == forms::vbKeyReturn) {
        keyAscii = 0;
        return;
    }
    if (current_.EditMode != 2 || !editor_ || keyAscii == forms::vbKeyBack) {
        return;
    }
    const char32_t code = static_cast<char32_t>(keyAscii);
    const QString typed = NumericFilter::Narrowed(QString::fromUcs4(&code, 1));
    const QString text = editor_->text();
    const int selStart =
        editor_->hasSelectedText() ? editor_->selectionStart() : editor_->cursorPosition();
    const int selLength = static_cast<int>(editor_->selectedText().size());
    if (!NumericFilter(current_.EditMaxLength).Accepts(text, selStart, selLength, typed)) {
        keyAscii = 0;
    }
}

void ExpandGrid::Edit_LostFocus() {
    if (current_.Valid) {
        SelectCell(Row(), Col());
    }
}

void ExpandGrid::EditCell() {
    if (!editable() || !editor_ || !body_ || !layout_.IsShown(current_.Row, current_.Col)) {
        return;
    }
    const double height = body_->TextHeight(QStringLiteral("あ")) + 60;
    OverBody::Place(body_, editor_, current_.Left + 60,
                    current_.Top + (current_.Height - height) / 2 + 35, current_.Width - 90,
                    height);
    CellEditor::Open(*editor_, *validator_, fontName_, fontSize_, current_.Text, current_.EditMode,
                     current_.EditMaxLength);
}

void ExpandGrid::EditCancelCell() {
    if (editor_ && editor_->isVisible()) {
        const QString text = CellEditor::Close(*editor_, *validator_);
        if (current_.Valid) {
            Value(Row(), Col(), text);
        }
    }
}

double ExpandGrid::bodyHeight() const {
    return body_ ? body_->Height() : 0;
}

// Rows from the top row down to the first one crossing the body's bottom edge (all rows
// when the body is sized to them), all columns.
void ExpandGrid::layOut() {
    layout_.LayOutVisible(autoSize_ ? Unlimited : bodyHeight(), Unlimited);
}

void ExpandGrid::setCurrentCell(int row, int col) {
    if (!layout_.HasRow(row) || !layout_.HasCol(col)) {
        current_ = GridCellInfo{};
        return;
    }
    layOut();
    GridCellInfo cell = layout_.CellInfo(row, col);
    cell.Text = Value(static_cast<int16_t>(row), static_cast<int16_t>(col));
    current_ = cell;
}

void ExpandGrid::resetValues() {
    values_ = Rows() > 0 && Cols() > 0 ? vb::VariantArray(Rows(), Cols()) : vb::VariantArray();
}

void ExpandGrid::setTopRow(int row) {
    layout_.SetTopRow(row);
    if (scrollBar_) {
        scrollBar_->setValue(layout_.TopRow());
    }
}

// Left and Up to a row above the top row scroll up by one first; moves downwards
// scroll through SelectCell.
void ExpandGrid::moveTo(int row, int col) {
    if (row < layout_.TopRow()) {
        setTopRow(layout_.TopRow() - 1);
    }
    SelectCell(static_cast<int16_t>(row), static_cast<int16_t>(col));
}
