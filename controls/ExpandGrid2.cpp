#include "ExpandGrid2.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

#include "CellEditValidator.h"
#include "CellEditor.h"
#include "CellMoves.h"
#include "CellText.h"
#include "EventHook.h"
#include "ExpandTab.h"
#include "GridPainter.h"
#include "OverBody.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Strings.h"

namespace {

constexpr double NewRowHeight = 390;
constexpr double NewColWidth = 1050;

bool focusStaysInWindow(const QFocusEvent& event) {
    return event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason;
}

}  // namespace

ExpandGrid2::ExpandGrid2() {
    Clear();
}

ExpandGrid2::~ExpandGrid2() = default;

void ExpandGrid2::BodyPictureBox(forms::PictureBox* body) {
    bodyEvents_.clear();
    bodyHook_.reset();
    body_ = body;
    if (!body_) {
        return;
    }
    body_->SetAutoRedraw(true);
    updateFocusPolicy();
    bodyEvents_.push_back(
        body_->MouseDown.connect([this](int, int, double x, double y) { onBodyMouseDown(x, y); }));
    bodyEvents_.push_back(body_->Click.connect([this] { onBodyClick(); }));
    bodyEvents_.push_back(body_->DblClick.connect([this] { onBodyDblClick(); }));
    bodyEvents_.push_back(
        body_->KeyDown.connect([this](int code, int shift) { bodyKeyDown(code, shift); }));
    bodyEvents_.push_back(body_->KeyPress.connect([this](int ascii) { bodyKeyPress(ascii); }));
    bodyEvents_.push_back(
        body_->InputText.connect([this](const QString& text) { onBodyInputText(text); }));
    // The mark shows whether the body has the focus.
    bodyEvents_.push_back(body_->GotFocus.connect([this] { repaintFocus(); }));
    bodyEvents_.push_back(body_->LostFocus.connect([this] { repaintFocus(); }));
    bodyHook_ = std::make_unique<EventHook>(body_, [this](QEvent* e) { return onBodyEvent(e); });
}

void ExpandGrid2::EditTextBox(QLineEdit* editor) {
    editorHook_.reset();
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
    editorHook_ =
        std::make_unique<EventHook>(editor_, [this](QEvent* e) { return onEditorEvent(e); });
}

void ExpandGrid2::EditComboBox(QComboBox* comboBox) {
    comboHook_.reset();
    comboSignals_.reset();
    comboBox_ = comboBox;
    if (!comboBox_) {
        return;
    }
    comboBox_->hide();
    for (const std::unique_ptr<ComboBoxEx>& list : combos_) {
        if (list) {
            list->ComboBox(comboBox_);
        }
    }
    comboSignals_ = std::make_unique<QObject>();
    QObject::connect(comboBox_, &QComboBox::activated, comboSignals_.get(),
                     [this](int) { onComboPicked(); });
    comboHook_ =
        std::make_unique<EventHook>(comboBox_, [this](QEvent* e) { return onComboEvent(e); });
}

void ExpandGrid2::VScrollBar(QScrollBar* scrollBar) {
    scrollSignals_.reset();
    scrollBar_ = scrollBar;
    if (!scrollBar_) {
        return;
    }
    scrollGuard_ = true;
    scrollBar_->setMinimum(0);
    scrollBar_->setSingleStep(1);
    scrollBar_->setValue(0);
    scrollGuard_ = false;
    updateScrollBar();
    scrollSignals_ = std::make_unique<QObject>();
    QObject::connect(scrollBar_, &QScrollBar::valueChanged, scrollSignals_.get(),
                     [this](int value) { onScroll(value); });
}

void ExpandGrid2::PagePictureBox(forms::PictureBox* pageBox) {
    tabClick_.disconnect();
    tab_ = std::make_unique<ExpandTab>();
    tab_->BodyPictureBox(pageBox);
    tab_->Style(0);
    tab_->Count(5);
    const double widths[] = {450, 450, 1500, 450, 450};
    const int16_t types[] = {3, 1, 0, 2, 4};
    for (int16_t i = 0; i < 5; ++i) {
        tab_->TabsWidth(i, widths[i]);
        tab_->TabsType(i, types[i]);
    }
    tab_->TabsLocked(2, true);
    tabClick_ = tab_->Click.connect([this](int16_t index) { onTabClick(index); });
}

void ExpandGrid2::FontSize(const vb::Variant& size) {
    try {
        fontSize_ = size.toInteger();
    } catch (const vb::RuntimeError&) {
    }
}

void ExpandGrid2::Rows(int16_t rows) {
    if (rows == Rows() || rows < 0) {
        return;
    }
    layout_.ResizeRows(rows, NewRowHeight);
    layOutRows(autoSize_);
    resetValues();
    if (!layout_.HasRow(current_.Row)) {
        hideEditors();
        current_ = GridCellInfo{};
    }
}

void ExpandGrid2::Cols(int16_t cols) {
    if (cols == Cols() || cols < 0) {
        return;
    }
    if (!layout_.HasCol(current_.Col) || current_.Col >= cols) {
        hideEditors();
        current_ = GridCellInfo{};
    }
    layout_.ResizeCols(cols, NewColWidth);
    combos_.resize(static_cast<size_t>(cols));
    layOutCols();
    resetValues();
}

template <typename Read>
auto ExpandGrid2::settled(Read read) const {
    if (!rowsStale_) {
        return read(layout_);
    }
    GridLayout layout = layout_;
    layout.LayOutPages(bodyHeight(), (staleAutoSize_ & 1) != 0);
    return read(layout);
}

float ExpandGrid2::Height() const {
    return static_cast<float>(
        settled([](const GridLayout& layout) { return layout.TotalHeight(); }));
}

int16_t ExpandGrid2::TopRow() const {
    return static_cast<int16_t>(settled([](const GridLayout& layout) { return layout.TopRow(); }));
}

int16_t ExpandGrid2::Page() const {
    return static_cast<int16_t>(
        settled([](const GridLayout& layout) { return layout.PageIndex() + 1; }));
}

int16_t ExpandGrid2::PageMax() const {
    return static_cast<int16_t>(
        settled([](const GridLayout& layout) { return layout.LastPageIndex() + 1; }));
}

void ExpandGrid2::RowsHeight(int16_t row, float height) {
    if (layout_.HasRow(row)) {
        layout_.Row(row).Height = height;
        // Laid out when next shown or moved in, not once per row of a loop over them all,
        // with the AutoSize of now: one set later waits for the next row change.
        rowsStale_ = true;
        staleAutoSize_ = autoSize_;
    }
}

void ExpandGrid2::RowsColor(int16_t row, long color) {
    if (layout_.HasRow(row)) {
        layout_.Row(row).Color = color;
    }
}

void ExpandGrid2::ColsWidth(int16_t col, float width) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Width = width;
        layOutCols();
    }
}

void ExpandGrid2::ColsColor(int16_t col, long color) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Color = color;
    }
}

void ExpandGrid2::ColsAlign(int16_t col, int16_t align) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Align = align;
    }
}

void ExpandGrid2::ColsFormat(int16_t col, const QString& format) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).Format = format;
    }
}

void ExpandGrid2::ColsType(int16_t col, int16_t type) {
    if (!layout_.HasCol(col)) {
        return;
    }
    layout_.Col(col).Flags = DecodeColsType(type);
    if (layout_.Col(col).Flags[FlagCombo]) {
        combos_[col] = std::make_unique<ComboBoxEx>();
        if (comboBox_) {
            combos_[col]->ComboBox(comboBox_);
        }
    }
}

void ExpandGrid2::ColsEditMode(int16_t col, int16_t mode) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).EditMode = mode;
    }
}

void ExpandGrid2::ColsEditMaxLength(int16_t col, float length) {
    if (layout_.HasCol(col)) {
        layout_.Col(col).EditMaxLength = length;
    }
}

ComboBoxEx* ExpandGrid2::ColsComboBox(int16_t col) const {
    return layout_.HasCol(col) ? combos_[col].get() : nullptr;
}

QString ExpandGrid2::Value(int16_t row, int16_t col) const {
    return CellText::At(values_, row, col);
}

void ExpandGrid2::Value(int16_t row, int16_t col, const QString& text) {
    CellText::Store(values_, row, col, text);
}

void ExpandGrid2::ValueMatrix(const vb::VariantArray& values) {
    CellText::Assign(values_, values);
}

void ExpandGrid2::Redraw() {
    settleRows();
    layout_.LayOutVisible(bodyHeight(), bodyWidth());
    refreshCurrentRect();
    if (body_) {
        paintBody();
        if (current_.Valid && layout_.IsShown(current_.Row, current_.Col) &&
            current_.Bottom <= bodyHeight()) {
            editComboCell();
        }
    }
    updateCaption();
}

void ExpandGrid2::paintBody() {
    updateFocusPolicy();
    applyBorder();
    body_->SetFontName(fontName_);
    body_->SetFontSize(fontSize_);
    body_->SetBackColor(backColor_);
    GridPainter::PaintPaged(*body_, layout_, values_, current_, gridLines_, body_->hasFocus());
}

void ExpandGrid2::repaintFocus() {
    settleRows();
    layout_.LayOutVisible(bodyHeight(), bodyWidth());
    refreshCurrentRect();
    paintBody();
}

void ExpandGrid2::GetCellPos(float x, float y, int16_t& row, int16_t& col) const {
    const int hitRow = layout_.RowAt(y);
    const int hitCol = layout_.ColAt(x);
    row = static_cast<int16_t>(hitRow >= 0 ? hitRow : layout_.LastShownRow());
    col = static_cast<int16_t>(hitCol >= 0 ? hitCol : layout_.LastShownCol());
}

void ExpandGrid2::SelectCell(int16_t row, int16_t col) {
    settleRows();
    endEdit(true);
    const GridCellInfo before = current_;
    const bool moving = row != before.Row || col != before.Col;
    if (before.Valid && moving) {
        LeaveCell();
    }
    if (row >= 0) {
        layout_.ScrollTo(row, before.Row, bodyHeight());
        setScrollValue(layout_.TopRow());
    }
    setCurrentCell(row, col);
    Redraw();
    if (current_.Valid && moving) {
        EnterCell();
    }
}

void ExpandGrid2::SetFocus() {
    if (body_) {
        body_->SetFocus();
    }
}

void ExpandGrid2::Search(int16_t row, int16_t col, const QString& condition, int16_t direction,
                         bool loop) {
    const auto matches = [&](int r, int c) {
        try {
            return vb::Like(Value(static_cast<int16_t>(r), static_cast<int16_t>(c)), condition);
        } catch (const vb::RuntimeError&) {
            return false;
        }
    };
    const int firstRow = std::max<int>(0, row);
    const int firstCol = std::max<int>(0, col);
    if (direction == 0) {
        const int lastRow = loop ? Rows() - 1 : std::min<int>(row, Rows() - 1);
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int c = firstCol; c < Cols(); ++c) {
                if (matches(r, c)) {
                    moveTo(r, c);
                    break;
                }
            }
        }
    } else if (direction == 1) {
        const int lastCol = loop ? Cols() - 1 : std::min<int>(col, Cols() - 1);
        for (int c = firstCol; c <= lastCol; ++c) {
            for (int r = firstRow; r < Rows(); ++r) {
                if (matches(r, c)) {
                    moveTo(r, c);
                    break;
                }
            }
        }
    }
}

void ExpandGrid2::PageUp() {
    if (Page() > 1) {
        PageSkip(static_cast<int16_t>(Page() - 1));
    }
}

void ExpandGrid2::PageDown() {
    if (Page() < PageMax()) {
        PageSkip(static_cast<int16_t>(Page() + 1));
    }
}

void ExpandGrid2::PageSkip(int16_t page) {
    settleRows();
    if (page < 1 || page > PageMax()) {
        return;
    }
    layout_.SkipToPage(page - 1);
    endEdit(true);
    Redraw();
    setScrollValue(layout_.TopRow());
}

void ExpandGrid2::Clear() {
    hideEditors();
    layout_.Reset();
    rowsStale_ = false;
    values_ = vb::VariantArray();
    combos_.clear();
    current_ = GridCellInfo{};
    comboRow_ = comboCol_ = -1;
    fontName_ = QStringLiteral("MS UI Gothic");
    fontSize_ = 10;
    autoSize_ = 0;
    backColor_ = 0xE0E0E0;
    gridLines_ = 2;
    borderStyle_ = 1;
    updateScrollBar();
    setScrollValue(0);
}

void ExpandGrid2::CommitCell() {
    endEdit(false);
    if (current_.Valid) {
        LeaveCell();
        Redraw();
    }
}

double ExpandGrid2::bodyHeight() const {
    return body_ ? body_->Height() : 0;
}

double ExpandGrid2::bodyWidth() const {
    return body_ ? body_->Width() : 0;
}

double ExpandGrid2::borderAllowance() const {
    if (!body_ || body_->BorderStyle() == 0) {
        return 0;
    }
    return body_->Appearance() == 0 ? 15 : 30;
}

bool ExpandGrid2::comboCell() const {
    return current_.Valid && current_.Flags[FlagCombo];
}

ComboBoxEx* ExpandGrid2::currentList() const {
    return comboCell() ? ColsComboBox(static_cast<int16_t>(current_.Col)) : nullptr;
}

bool ExpandGrid2::comboOpen() const {
    const ComboBoxEx* list = currentList();
    return comboBox_ && list && list->Visible() && comboRow_ == current_.Row &&
           comboCol_ == current_.Col;
}

void ExpandGrid2::layOutRows(int16_t autoSize) {
    rowsStale_ = false;
    const bool singlePage = (autoSize & 1) != 0;
    layout_.LayOutPages(bodyHeight(), singlePage);
    if (singlePage && body_) {
        body_->SetHeight(layout_.TotalHeight() + 15);
    }
    updateScrollBar();
}

void ExpandGrid2::layOutCols() {
    layout_.LayOutColumns();
    if ((autoSize_ & 2) != 0 && body_) {
        body_->SetWidth(layout_.TotalWidth() + 15);
    }
}

void ExpandGrid2::resetValues() {
    values_ = Rows() > 0 && Cols() > 0 ? vb::VariantArray(Rows(), Cols()) : vb::VariantArray();
}

void ExpandGrid2::settleRows() {
    if (rowsStale_) {
        layOutRows(staleAutoSize_);
    }
}

void ExpandGrid2::updateScrollBar() {
    if (!scrollBar_) {
        return;
    }
    scrollGuard_ = true;
    if (layout_.MaxTopRow() < 1) {
        scrollBar_->setMaximum(0);
        scrollBar_->setEnabled(false);
    } else {
        const std::vector<GridPageInfo>& pages = layout_.Pages();
        const int firstPageRows = pages.size() > 1 ? pages[1].FirstRow : Rows();
        scrollBar_->setEnabled(true);
        scrollBar_->setMaximum(layout_.MaxTopRow());
        scrollBar_->setPageStep(std::max(1, firstPageRows));
    }
    scrollGuard_ = false;
}

void ExpandGrid2::setScrollValue(int value) {
    if (scrollBar_) {
        scrollGuard_ = true;
        scrollBar_->setValue(value);
        scrollGuard_ = false;
    }
}

void ExpandGrid2::setCurrentCell(int row, int col) {
    settleRows();
    if (!layout_.HasRow(row) || !layout_.HasCol(col)) {
        current_ = GridCellInfo{};
        return;
    }
    layout_.LayOutVisible(bodyHeight(), bodyWidth());
    GridCellInfo cell = layout_.CellInfo(row, col);
    cell.Text = Value(static_cast<int16_t>(row), static_cast<int16_t>(col));
    current_ = cell;
}

void ExpandGrid2::refreshCurrentRect() {
    settleRows();
    if (current_.Valid) {
        layout_.PlaceCell(current_);
    }
}

// Only a current cell shows the focus: a grid without one (a heading or totals line)
// is no tab stop.
void ExpandGrid2::updateFocusPolicy() {
    body_->setFocusPolicy(current_.Valid ? Qt::StrongFocus : Qt::NoFocus);
}

void ExpandGrid2::applyBorder() {
    body_->SetBorderStyle(borderStyle_ == 0 ? 0 : 1);
    body_->SetAppearance(borderStyle_ == 2 ? 1 : 0);
}

void ExpandGrid2::updateCaption() {
    if (!tab_) {
        return;
    }
    tab_->Value(2, QStringLiteral("P. %1/%2")
                       .arg(Page(), 3, 10, QLatin1Char('0'))
                       .arg(PageMax(), 3, 10, QLatin1Char('0')));
    tab_->Redraw();
}

void ExpandGrid2::hideEditors() {
    closingEditor_ = true;
    if (editor_ && editor_->isVisible()) {
        CellEditor::Close(*editor_, *validator_);
    }
    for (const std::unique_ptr<ComboBoxEx>& list : combos_) {
        if (list) {
            list->Visible(false);
        }
    }
    closingEditor_ = false;
}

void ExpandGrid2::endEdit(bool focusBody) {
    if (!current_.Valid) {
        return;
    }
    const auto row = static_cast<int16_t>(current_.Row);
    const auto col = static_cast<int16_t>(current_.Col);
    closingEditor_ = true;
    // Before the editors hide, so that the focus goes nowhere else. On a greyed-out form
    // the focus stays where the form gives it back.
    if (focusBody && body_ && body_->isEnabled()) {
        body_->SetFocus();
    }
    if (editor_ && editor_->isVisible()) {
        Value(row, col, CellEditor::Close(*editor_, *validator_));
    }
    ComboBoxEx* list = currentList();
    if (comboBox_ && list && list->Visible()) {
        if (list->ListIndex() >= 0) {
            Value(row, col, list->SelectItem(0));
        }
        list->Visible(false);
    }
    closingEditor_ = false;
}

void ExpandGrid2::editCell() {
    settleRows();
    if (!editable() || !editor_ || !body_ || !layout_.IsShown(current_.Row, current_.Col)) {
        return;
    }
    const double border = borderAllowance();
    const double height = body_->TextHeight(QStringLiteral("あ")) + 60;
    OverBody::Place(body_, editor_, current_.Left + 60 + border,
                    current_.Top + (current_.Height - height) / 2 + 15 + border,
                    current_.Width - 90, height);
    CellEditor::Open(*editor_, *validator_, fontName_, fontSize_, current_.Text, current_.EditMode,
                     current_.EditMaxLength);
}

void ExpandGrid2::editComboCell() {
    settleRows();
    ComboBoxEx* list = currentList();
    if (!list || !comboBox_ || !body_ || !layout_.IsShown(current_.Row, current_.Col)) {
        return;
    }
    list->Font(fontName_);
    list->FontSize(QString::number(fontSize_));
    const double border = borderAllowance();
    const QPoint at =
        OverBody::Point(body_, comboBox_, current_.Left + 30 + border, current_.Top + 30 + border);
    list->Left(static_cast<int32_t>(forms::toTwips(at.x())));
    list->Top(static_cast<int32_t>(forms::toTwips(at.y())));
    list->Width(static_cast<int32_t>(current_.Width - 30));
    list->Height(static_cast<int32_t>(current_.Height - 30));
    list->SelectItem(0,
                     Value(static_cast<int16_t>(current_.Row), static_cast<int16_t>(current_.Col)));
    comboRow_ = current_.Row;
    comboCol_ = current_.Col;
    InitCombo();
    if (currentList() != list) {
        return;  // the handler replaced or removed the column's list
    }
    list->Redraw();
    list->Visible(true);
    list->SetFocus();
}

void ExpandGrid2::moveRight() {
    if (current_.Valid) {
        const CellMoves::Cell to = CellMoves::Right(layout_, {current_.Row, current_.Col});
        moveTo(to.row, to.col);
    }
}

void ExpandGrid2::moveLeft() {
    if (current_.Valid) {
        const CellMoves::Cell to = CellMoves::Left(layout_, {current_.Row, current_.Col});
        moveTo(to.row, to.col);
    }
}

void ExpandGrid2::moveUp() {
    if (current_.Valid) {
        const CellMoves::Cell to = CellMoves::Up(layout_, {current_.Row, current_.Col});
        moveTo(to.row, to.col);
    }
}

void ExpandGrid2::moveDown() {
    if (current_.Valid) {
        const CellMoves::Cell to = CellMoves::Down(layout_, {current_.Row, current_.Col});
        moveTo(to.row, to.col);
    }
}

QString ExpandGrid2::currentText() const {
    return Value(static_cast<int16_t>(current_.Row), static_cast<int16_t>(current_.Col));
}

void ExpandGrid2::setCurrentText(const QString& text) {
    Value(static_cast<int16_t>(current_.Row), static_cast<int16_t>(current_.Col), text);
}

void ExpandGrid2::selectCurrentCell() {
    SelectCell(static_cast<int16_t>(current_.Row), static_cast<int16_t>(current_.Col));
}

void ExpandGrid2::onBodyMouseDown(double x, double y) {
    int16_t row = -1;
    int16_t col = -1;
    GetCellPos(static_cast<float>(x), static_cast<float>(y), row, col);
    if (row < 0 || col < 0 || layout_.Col(col).Flags[FlagPassedOver]) {
        return;
    }
    SelectCell(row, col);
}

void ExpandGrid2::onBodyClick() {
    if (comboCell()) {
        editComboCell();
    }
    Click();
}

void ExpandGrid2::onBodyDblClick() {
    if (editable()) {
        editCell();
    }
    DblClick();
}

bool ExpandGrid2::moveByKey(int keyCode) {
    switch (keyCode) {
        case forms::vbKeyReturn:
        case forms::vbKeyRight:
            moveRight();
            return true;
        case forms::vbKeyLeft:
            moveLeft();
            return true;
        case forms::vbKeyUp:
            moveUp();
            return true;
        case forms::vbKeyDown:
            moveDown();
            return true;
        case forms::vbKeyPageUp:
            PageUp();
            return true;
        case forms::vbKeyPageDown:
            PageDown();
            return true;
        default:
            return false;
    }
}

void ExpandGrid2::onBodyInputText(const QString& text) {
    if (editor_ && editor_->isVisible()) {
        editor_->setFocus(Qt::OtherFocusReason);
        editor_->insert(text);
        return;
    }
    startTyping(text);
}

// The input method starting to compose on the body opens the editor, where the
// composition goes on.
bool ExpandGrid2::onBodyEvent(QEvent* event) {
    if (event->type() != QEvent::InputMethod) {
        return false;
    }
    const auto* input = static_cast<QInputMethodEvent*>(event);
    if (input->preeditString().isEmpty() || !input->commitString().isEmpty() || !editable() ||
        current_.EditMode == 2 || !editor_ || editor_->isVisible()) {
        return false;
    }
    startTyping(QString());
    if (!editor_->isVisible()) {
        return false;
    }
    QInputMethodEvent composing(input->preeditString(), input->attributes());
    QCoreApplication::sendEvent(editor_, &composing);
    return true;
}

bool ExpandGrid2::onEditorEvent(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        switch (forms::vbKeyCode(*static_cast<QKeyEvent*>(event))) {
            case forms::vbKeyReturn:
            case forms::vbKeyRight:
                moveRight();
                return true;
            case forms::vbKeyLeft:
                moveLeft();
                return true;
            case forms::vbKeyUp:
                moveUp();
                return true;
            case forms::vbKeyDown:
                moveDown();
                return true;
            default:
                return false;
        }
    }
    // The focus going elsewhere stores the text, as selecting the cell again does, and
    // leaves the focus where it went.
    if (event->type() == QEvent::FocusOut && !closingEditor_ && editor_->isVisible() &&
        !focusStaysInWindow(*static_cast<QFocusEvent*>(event))) {
        endEdit(false);
        setCurrentCell(current_.Row, current_.Col);
        Redraw();
    }
    return false;
}

bool ExpandGrid2::onComboEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress || !comboOpen()) {
        return false;
    }
    switch (forms::vbKeyCode(*static_cast<QKeyEvent*>(event))) {
        case forms::vbKeyReturn:
        case forms::vbKeyRight:
            moveRight();
            return true;
        case forms::vbKeyLeft:
            moveLeft();
            return true;
        default:
            return false;
    }
}

void ExpandGrid2::onComboPicked() {
    if (!comboOpen()) {
        return;
    }
    ComboBoxEx* list = currentList();
    list->ComboBoxClick();
    Value(static_cast<int16_t>(current_.Row), static_cast<int16_t>(current_.Col),
          list->SelectItem(0));
    ClickCombo();
}

void ExpandGrid2::onScroll(int value) {
    if (scrollGuard_) {
        return;
    }
    // Laying the rows out may bring the scroll bar's maximum, and its value, down.
    if (rowsStale_) {
        settleRows();
        value = scrollBar_->value();
    }
    layout_.SetTopRow(std::min(value, layout_.MaxTopRow()));
    endEdit(true);
    Redraw();
    if (comboOpen()) {
        currentList()->SetFocus();
    } else {
        SetFocus();
    }
}

void ExpandGrid2::onTabClick(int16_t index) {
    switch (index) {
        case 0:
            PageSkip(1);
            break;
        case 1:
            PageUp();
            break;
        case 3:
            PageDown();
            break;
        case 4:
            PageSkip(PageMax());
            break;
        default:
            break;
    }
    updateCaption();
}
