#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "GridRecords.h"

// The keys of a grid's body, shared by the paged grid and the simple grid: Enter and the
// arrows move the current cell; on an editable cell Delete empties it, F2 edits it with
// the caret at the end, Ctrl+C and Ctrl+V copy and paste it, and a typed character
// starts an edit that replaces the cell, or goes into the open editor.
class BodyKeys {
  public:
    virtual ~BodyKeys() = default;

  protected:
    bool editable() const;
    // A key pressed on the body; its shift state is kept for the character it types.
    void bodyKeyDown(int keyCode, int shift);
    // A character typed on the body; true when the grid has taken it.
    bool bodyKeyPress(int keyAscii);
    // Text that replaces the current cell and opens its editor, as typing does.
    void startTyping(const QString& text);

    // What each grid does for the keys: a move by a key (false when the key moves
    // nothing), selecting the current cell again (which stores an open editor's text),
    // opening the editor on it, and its text.
    virtual bool moveByKey(int keyCode) = 0;
    virtual void selectCurrentCell() = 0;
    virtual void editCurrentCell() = 0;
    virtual QString currentText() const = 0;
    virtual void setCurrentText(const QString& text) = 0;

    GridCellInfo current_;
    QPointer<QLineEdit> editor_;

  private:
    void copyCell() const;
    void pasteCell();

    int keyShift_ = 0;
};
