#pragma once

#include <vector>

#include "CalendarMonth.h"
#include "ExpandGrid.h"
#include "PickerForm.h"
#include "platform/forms/PictureBox.h"

// The date picker dialog: year box and buttons, month drop-down, six weeks of days (a
// day of the neighbouring months switches to that month), the chosen date, OK and
// Cancel. 765 by 554 pixels, centred.
class CalendarForm : public PickerForm {
  public:
    CalendarForm();

    forms::PictureBox* const Picture3;  // the day grid

    // A day chosen in the grid (after its MouseDown moved the current cell).
    void Picture3_Click();

  protected:
    void PlaceForm() override;
    void PrepareDialog() override;
    void ShowDate() override { ShowMonth(); }

  private:
    // The month of CurrentDate in the grid with its day selected, and the date line.
    void ShowMonth();
    // The day becomes the date; a day of another month turns the dialog to that month.
    void chooseDay(const vb::Date& day);

    ExpandGrid grid_;
    CalendarMonth month_{vb::Date()};
    std::vector<forms::Subscription> gridEvents_;
};
