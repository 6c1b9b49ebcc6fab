#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QScrollBar>
#include <string>
#include <vector>

#include "controls/ExpandGrid2.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"

// A shown form with a paged grid: body 6000 x 3900 twips with a flat single border at
// (600, 900), text editor, combo box, scroll bar and page tab. Columns are 2000 wide,
// rows 390 high, so that ten rows fill a page.
class GridFixture : public ::testing::Test {
  protected:
    void SetUp() override;

    // Rows x cols cells holding "r-c", columns of the given types, then SelectCell.
    void build(int rows, const std::vector<int>& types);
    // Records the grid's events with the cell they see: "Leave 0,1=0-1".
    void record();

    // Pixel point of a body point given in twips of its drawing area.
    QPoint at(double x, double y) const;
    QPoint cellCentre(int row, int col) const;
    void press(int row, int col);
    void click(int row, int col);
    void doubleClick(int row, int col);
    // Keys reach the widget that has the focus, as a user's do.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(const QString& text);
    // A key that types nothing, whatever testlib knows of it.
    void silentKey(Qt::Key key);
    QWidget* focused() const;
    // The colour the body shows at a point of its drawing area (twips).
    long colourAt(double x, double y) const;

    forms::Form form_;
    forms::PictureBox* body_ = nullptr;
    forms::PictureBox* pages_ = nullptr;
    QLineEdit* editor_ = nullptr;
    QComboBox* combo_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    ExpandGrid2 grid_;
    std::vector<std::string> log_;
    std::vector<forms::Subscription> events_;
};
