#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "BodyKeys.h"
#include "ComboBoxEx.h"
#include "GridLayout.h"
#include "GridRecords.h"
#include "platform/forms/Event.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

class CellEditValidator;
class EventHook;
class ExpandTab;

// The editable list of the list and entry screens: a table of cells drawn on a body
// picture box, cut into pages shown with a page tab, scrolled with a vertical scroll
// bar, edited in place with a text box and, on combo columns, a combo box. The screen
// owns the controls and hands them over; the grid handles their events. Measures are
// twips, rows and columns count from 0.
//
// Events carry no arguments: a handler reads Row, Col and Value. LeaveCell comes before
// every move to another cell (any open editor has stored its text by then) and cannot
// stop it; EnterCell follows the move.
class ExpandGrid2 : private BodyKeys {
  public:
    ExpandGrid2();
    ~ExpandGrid2();
    ExpandGrid2(const ExpandGrid2&) = delete;
    ExpandGrid2& operator=(const ExpandGrid2&) = delete;

    // The controls; a grid works with any of them missing (a heading grid has only a
    // body) and skips what needs the missing ones.
    void BodyPictureBox(forms::PictureBox* body);
    void EditTextBox(QLineEdit* editor);
    void EditComboBox(QComboBox* comboBox);
    void VScrollBar(QScrollBar* scrollBar);
    // Makes the page tab on it: first, previous, "P. 001/003", next, last.
    void PagePictureBox(forms::PictureBox* pageBox);

    void Font(const QString& name) { fontName_ = name; }
    void FontSize(const vb::Variant& size);
    // 0 none; 1 the body's height fits the rows (one page); 2 its width fits the
    // columns; 3 both. Takes effect at the next row or column change (a count or a size).
    void AutoSize(int16_t mode) { autoSize_ = mode; }
    // Height, TopRow, Page and PageMax as the rows are laid out, also before they are
    // shown again after a height changed.
    float Height() const;
    float Width() const { return static_cast<float>(layout_.TotalWidth()); }
    int16_t Row() const { return static_cast<int16_t>(current_.Row); }
    int16_t Col() const { return static_cast<int16_t>(current_.Col); }
    int16_t TopRow() const;

    // A new count keeps the row (column) settings, gives new rows height 390 (columns
    // width 1050) and empties every cell; the same count changes nothing.
    void Rows(int16_t rows);
    int16_t Rows() const { return static_cast<int16_t>(layout_.RowCount()); }
    void Cols(int16_t cols);
    int16_t Cols() const { return static_cast<int16_t>(layout_.ColCount()); }

    // Row and column settings; an index outside the grid is ignored.
    void RowsHeight(int16_t row, float height);
    void RowsColor(int16_t row, long color);
    void ColsWidth(int16_t col, float width);
    void ColsColor(int16_t col, long color);
    void ColsAlign(int16_t col, int16_t align);
    void ColsFormat(int16_t col, const QString& format);
    // Bits: 1 passed over by mouse and Left/Right/Enter, 2 whole-row mark, 16 editable,
    // 32 combo column (makes a new combo list for the column).
    void ColsType(int16_t col, int16_t type);
    // 0 text, 1 Japanese input, 2 numeric.
    void ColsEditMode(int16_t col, int16_t mode);
    // Text modes: the most bytes (20); numeric: places before and after the point (9.2).
    void ColsEditMaxLength(int16_t col, float length);
    // The column's combo list for the screen to fill; none unless bit 32 was set.
    ComboBoxEx* ColsComboBox(int16_t col) const;

    // A cell's text ("" outside the grid); Let stores a text, ignored outside the grid.
    QString Value(int16_t row, int16_t col) const;
    void Value(int16_t row, int16_t col, const QString& text);
    vb::VariantArray ValueMatrix() const { return values_; }
    // Copies the array's cells (row, column) from 0; cells outside the grid are left out.
    void ValueMatrix(const vb::VariantArray& values);

    long BackColor() const { return backColor_; }
    void BackColor(long color) { backColor_ = color; }
    int16_t GridLines() const { return gridLines_; }
    void GridLines(int16_t lines) { gridLines_ = lines; }
    int16_t BorderStyle() const { return borderStyle_; }
    void BorderStyle(int16_t style) { borderStyle_ = style; }
    int16_t Page() const;
    int16_t PageMax() const;

    // Repaints the body and the page caption.
    void Redraw();
    // The cell under a point of the body: a point below the rows shown gives the last
    // row shown, one right of the columns the last column shown.
    void GetCellPos(float x, float y, int16_t& row, int16_t& col) const;
    // Makes a cell current, with LeaveCell and EnterCell; (-1, -1) leaves none.
    void SelectCell(int16_t row, int16_t col);
    void SetFocus();
    // Selects the cells matching a pattern: direction 0 row by row from row (all rows
    // to the last with loop), 1 column by column; the first match of each is selected.
    void Search(int16_t row, int16_t col, const QString& condition, int16_t direction, bool loop);
    void PageUp();
    void PageDown();
    void PageSkip(int16_t page);
    // Back to the defaults: no rows or columns, no current cell; the controls stay.
    void Clear();
    // Closes any open editor, storing its text, and raises LeaveCell for the current
    // cell, which stays current: a button pressed during an edit calls it first so that
    // it sees the edited value and what the screen computes from it.
    void CommitCell();

    forms::Event<> Click;
    forms::Event<> DblClick;
    forms::Event<> EnterCell;
    forms::Event<> LeaveCell;
    forms::Event<> InitCombo;
    forms::Event<> ClickCombo;

  private:
    double bodyHeight() const;
    double bodyWidth() const;
    double borderAllowance() const;
    bool comboCell() const;
    ComboBoxEx* currentList() const;
    bool comboOpen() const;

    void layOutRows(int16_t autoSize);
    // Lays the rows out when a row's height changed since.
    void settleRows();
    // What read finds in the layout as settleRows leaves it, without changing the grid.
    template <typename Read>
    auto settled(Read read) const;
    void layOutCols();
    void resetValues();
    void updateScrollBar();
    void setScrollValue(int value);
    void setCurrentCell(int row, int col);
    void refreshCurrentRect();
    void applyBorder();
    // Paints the body for the layout now, without reopening the combo editor.
    void paintBody();
    // Paints the focus mark anew when the body gains or loses the focus.
    void repaintFocus();
    void updateCaption();
    void hideEditors();

    void endEdit(bool focusBody);
    void editCell();
    void editComboCell();
    void moveTo(int row, int col) {
        SelectCell(static_cast<int16_t>(row), static_cast<int16_t>(col));
    }
    void moveRight();
    void moveLeft();
    void moveUp();
    void moveDown();
    bool moveByKey(int keyCode) override;
    void selectCurrentCell() override;
    void editCurrentCell() override { editCell(); }
    QString currentText() const override;
    void setCurrentText(const QString& text) override;

    void onBodyMouseDown(double x, double y);
    void updateFocusPolicy();
    void onBodyClick();
    void onBodyDblClick();
    void onBodyInputText(const QString& text);
    bool onBodyEvent(QEvent* event);
    bool onEditorEvent(QEvent* event);
    bool onComboEvent(QEvent* event);
    void onComboPicked();
    void onScroll(int value);
    void onTabClick(int16_t index);

    QPointer<forms::PictureBox> body_;
    QPointer<QComboBox> comboBox_;
    QPointer<QScrollBar> scrollBar_;
    std::unique_ptr<ExpandTab> tab_;
    std::vector<forms::Subscription> bodyEvents_;
    forms::Subscription tabClick_;
    std::unique_ptr<EventHook> bodyHook_;
    std::unique_ptr<EventHook> editorHook_;
    std::unique_ptr<EventHook> comboHook_;
    std::unique_ptr<QObject> comboSignals_;
    std::unique_ptr<QObject> scrollSignals_;
    QPointer<CellEditValidator> validator_;

    GridLayout layout_;
    vb::VariantArray values_;
    std::vector<std::unique_ptr<ComboBoxEx>> combos_;
    int comboRow_ = -1;
    int comboCol_ = -1;

    QString fontName_;
    int16_t fontSize_ = 10;
    int16_t autoSize_ = 0;
    long backColor_ = 0xE0E0E0;
    int16_t gridLines_ = 2;
    int16_t borderStyle_ = 1;
    bool scrollGuard_ = false;
    bool rowsStale_ = false;     // a row's height changed since the rows were laid out
    int16_t staleAutoSize_ = 0;  // the AutoSize when it changed
    bool closingEditor_ = false;
};
