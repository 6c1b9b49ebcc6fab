#pragma once

#include <QLabel>
#include <QString>

#include "PickerForm.h"

// The month picker dialog: a heading, the caller's caption, year box and buttons, month
// drop-down, the chosen year and month, OK and Cancel. 9810 by 5535 twips inside,
// centred.
class MonthForm : public PickerForm {
  public:
    MonthForm();

    // The caption's text; read once, when the form loads.
    const QString& CaptionText() const { return captionText_; }
    void SetCaptionText(const QString& text) { captionText_ = text; }

    QLabel* const CaptionLabel;

  protected:
    void PlaceForm() override;
    void PrepareDialog() override { CaptionLabel->setText(captionText_); }
    void ShowDate() override;

  private:
    QString captionText_;
};
