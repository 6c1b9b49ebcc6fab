#pragma once

#include <QValidator>

// Keeps what reaches a cell editor within its column's edit mode, whether typed,
// pasted or committed by the input method: line ends are dropped; in numeric mode the
// resulting text must pass the numeric filter (full-width digits count as digits); in
// the text modes the text is cut to the byte limit (what does not fit of an insertion
// is left out). Deleting is always allowed. Text set with Start is kept as it is.
class CellEditValidator : public QValidator {
  public:
    explicit CellEditValidator(QObject* parent);

    void Configure(int editMode, float maxLength);
    // The text the editor is about to be given.
    void Start(const QString& text);

    State validate(QString& input, int& pos) const override;

  private:
    int editMode_ = 0;
    float maxLength_ = 0;
    mutable QString accepted_;
};
