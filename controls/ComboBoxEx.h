#pragma once

#include <QComboBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>

#include "ComboList.h"
#include "platform/runtime/Variant.h"

// A list of values behind one combo box that shows only the rows passing a pattern
// filter and keeps its selection as a row of the full list. Several wrappers may share
// one combo box; only the one whose Visible is True follows the user's picks.
class ComboBoxEx {
  public:
    ComboBoxEx() = default;
    ComboBoxEx(const ComboBoxEx&) = delete;
    ComboBoxEx& operator=(const ComboBoxEx&) = delete;

    // Attaches the combo box, hides it and sets Visible False.
    void ComboBox(QComboBox* comboBox);
    QComboBox* ComboBox() const { return comboBox_; }

    // Placement in twips in the combo box's parent.
    void Top(int32_t top);
    void Left(int32_t left);
    void Width(int32_t width);
    // The selection field becomes height \ 15 - 6 pixels high.
    void Height(int32_t height);
    static int SelectionFieldPixels(int32_t height);
    void Font(const QString& name);
    void FontSize(const vb::Variant& size);

    void Visible(bool visible);
    bool Visible() const { return visible_; }
    // Opens or closes the drop-down list; True while it is open.
    void ShowList(bool show);
    bool ShowList() const;

    void filter(int16_t column, const QString& pattern) { list_.Filter(column, pattern); }
    QString SelectItem(int16_t column) const { return list_.SelectItem(column); }
    // Selects the first row whose text equals value (a literal comparison).
    void SelectItem(int16_t column, const QString& value) { list_.SelectItem(column, value); }
    int16_t ListIndex() const { return list_.ListIndex(); }
    void ListIndex(int16_t row) { list_.ListIndex(row); }

    // Appends a row of values to the table.
    void AddItem(const vb::Variant& row) { list_.AddItem(row); }
    // Empties the wrapper, then takes a copy of the array as its list.
    void AppendList(const vb::Variant& list);
    void Clear();
    // Fills the combo box with the visible rows, selecting the selected row's item.
    void Redraw();
    void SetFocus();

    // The user picked the combo box's current item: while Visible is True the selected
    // row becomes that item's row. The combo box's own signal calls it; an owner that
    // must read the pick before that may call it first.
    void ComboBoxClick();

  private:
    void applyFont();

    QPointer<QComboBox> comboBox_;
    QObject connections_;
    ComboList list_;
    bool visible_ = false;
    QString fontName_ = QStringLiteral("MS UI Gothic");
    double fontSize_ = 9;
};
