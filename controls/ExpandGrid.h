#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QString>
#include <cstdint>
#include <vector>

#include "BodyKeys.h"
#include "GridLayout.h"
#include "GridRecords.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Subscription.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

class CellEditValidator;

// The simple grid: a table of cells on a picture box with one current cell, an optional
// in-place text editor and scroll bar, no pages, no combo columns and no events. It
// does not listen to its controls: the owning form forwards their events to the public
// methods of the same names. Measures are twips, rows and columns count from 0.
class ExpandGrid : private BodyKeys {
  public:
    ExpandGrid();
    ExpandGrid(const ExpandGrid&) = delete;
    ExpandGrid& operator=(const ExpandGrid&) = delete;

    // Flat, persistent drawing, no border, boxes filled solid.
    void BodyPictureBox(forms::PictureBox* body);
    void EditTextBox(QLineEdit* editor);
    void VScrollBar(QScrollBar* scrollBar) { scrollBar_ = scrollBar; }

    void Font(const QString& name) { fontName_ = name; }
    void FontSize(const vb::Variant& size);
    // On, Redraw sizes the body to the rows and columns.
    void AutoSize(bool on) { autoSize_ = on; }
    // The laid-out height of the rows and the width of the columns at the last Redraw.
    int32_t Height() const { return height_; }
    int32_t Width() const { return width_; }
    int16_t Row() const { return static_cast<int16_t>(current_.Row); }
    int16_t Col() const { return static_cast<int16_t>(current_.Col); }

    // Keeps the row (column) settings, new rows 400 high (columns 1000 wide, white) and
    // empties every cell.
    void Rows(int16_t rows);
    int16_t Rows() const { return static_cast<int16_t>(layout_.RowCount()); }
    void Cols(int16_t cols);
    int16_t Cols() const { return static_cast<int16_t>(layout_.ColCount()); }

    // Row and column settings, used from the next Redraw; indices outside the grid are
    // ignored.
    void RowsHeight(int16_t row, int32_t height);
    void ColsWidth(int16_t col, int32_t width);
    void ColsColor(int16_t col, long color);
    void ColsAlign(int16_t col, int16_t align);
    void ColsFormat(int16_t col, const QString& format);
    // Bits: 1 keyboard moves skip the column, 2 whole-row mark, 16 editable.
    void ColsType(int16_t col, int16_t type);
    void ColsEditMode(int16_t col, int16_t mode);
    void ColsEditMaxLength(int16_t col, int32_t length);

    QString Value(int16_t row, int16_t col) const;
    void Value(int16_t row, int16_t col, const QString& text);
    vb::VariantArray ValueMatrix() const { return values_; }
    // Copies the array's cells from 0; cells beyond it keep their values, cells outside
    // the grid are left out.
    void ValueMatrix(const vb::VariantArray& values);

    void Redraw();
    // The cell under a point of the body (a boundary belongs to the earlier row or
    // column); -1 for a point outside every row or column.
    void GetCellPos(double x, double y, int16_t& row, int16_t& col) const;
    // Stores any open editor's text, makes the cell current (none outside the grid),
    // scrolls down by one row at most when it lies below the body, and redraws.
    void SelectCell(int16_t row, int16_t col);

    // Forwarded events.
    void VScroll(const vb::Variant& value);
    void DblClick() { EditCell(); }
    // Selects the cell under the press; a press outside every cell selects nothing.
    void MouseDown(int button, int shift, double x, double y);
    void Grid_KeyDown(int keyCode, int shift);
    // A typed character; 0 afterwards when the grid has taken it.
    void Grid_KeyPress(int& keyAscii);
    // Enter and the arrow keys leave the editor and move (keyCode becomes 0).
    void Edit_KeyDown(int& keyCode, int shift);
    // Drops Enter and, in numeric mode, what the numeric filter refuses.
    void Edit_KeyPress(int& keyAscii);
    void Edit_LostFocus();

    // Opens the editor on an editable current cell.
    void EditCell();
    // Closes the editor, storing its text into the current cell.
    void EditCancelCell();

  private:
    double bodyHeight() const;
    void layOut();
    void setCurrentCell(int row, int col);
    void resetValues();
    void setTopRow(int row);
    void moveTo(int row, int col);
    bool moveByKey(int keyCode) override;
    void selectCurrentCell() override { SelectCell(Row(), Col()); }
    void editCurrentCell() override { EditCell(); }
    QString currentText() const override { return Value(Row(), Col()); }
    void setCurrentText(const QString& text) override { Value(Row(), Col(), text); }

    QPointer<forms::PictureBox> body_;
    std::vector<forms::Subscription> bodyEvents_;
    QPointer<QScrollBar> scrollBar_;
    QPointer<CellEditValidator> validator_;

    GridLayout layout_;
    vb::VariantArray values_;
    QString fontName_ = QStringLiteral("MS UI Gothic");
    int16_t fontSize_ = 10;
    bool autoSize_ = false;
    int32_t height_ = 0;
    int32_t width_ = 0;
};
