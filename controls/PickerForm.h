#pragma once

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <cstdint>
#include <vector>

#include "ExpandCombo.h"
#include "platform/forms/Form.h"
#include "platform/forms/PictureBox.h"
#include "platform/runtime/Date.h"

// Ids of the pickers' pictures, resource type "PICKER".
enum PickerPicture : int32_t {
    PrevYearPicture = 1,
    NextYearPicture = 2,
    WeekdaysPicture = 3,
    YearCaptionPicture = 4,
    MonthCaptionPicture = 5,
    OKPicture = 6,
    CancelPicture = 7,
    DropDownPicture = 8,
    MonthHeadingPicture = 9,
};

// What the date and the month picker dialogs share: a year box with previous and next
// buttons, the month drop-down, a line showing the date, OK and Cancel. The dialog
// shows CurrentDate and hands it back; Result is -1 after OK, 0 after Cancel, Escape or
// closing the window. A typed year is checked when it is applied (Enter, leaving the
// box, OK or a year button), never by Cancel, Escape or closing the window.
class PickerForm : public forms::Form {
  public:
    const vb::Date& CurrentDate() const { return currentDate_; }
    // Read once, when the form loads.
    void SetCurrentDate(const vb::Date& date) { currentDate_ = date; }
    int16_t Result() const { return result_; }
    // The pictures of the OK and Cancel buttons (the form is loaded first).
    void SetOKPicture(const QImage& picture);
    void SetCancelPicture(const QImage& picture);

    QPushButton* const PrevButton;
    QLineEdit* const YearText;
    QPushButton* const NextButton;
    forms::PictureBox* const Picture1;  // the month drop-down
    QLabel* const DateLabel;
    QLabel* const Image1;  // heading strip
    QLabel* const Image2;  // caption over the year box
    QLabel* const Image3;  // caption over the month box
    QPushButton* const OKButton;
    QPushButton* const CancelButton;

    void PrevButton_Click();
    void NextButton_Click();
    void Picture1_Click() { monthChosen(); }
    void Picture1_KeyPress(int& keyAscii);
    void YearText_GotFocus();
    // Only digits and Backspace pass; Enter applies the year (then the month box takes
    // the focus) and is dropped; keyAscii becomes 0 for a dropped character.
    void YearText_KeyPress(int& keyAscii);
    void YearText_LostFocus();
    void OKButton_Click();
    void CancelButton_Click();

  protected:
    // messageTitle: the title of the year range message; headingPicture: the "PICKER"
    // picture of Image1.
    PickerForm(const QString& messageTitle, int32_t headingPicture);

    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    // Escape is Cancel, as closing the window is.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Steps of the load: placing the form, what follows the month list, showing the date.
    virtual void PlaceForm() = 0;
    virtual void PrepareDialog() = 0;
    virtual void ShowDate() = 0;

    // The year box showing a year that needs no check.
    void ShowYear(int year);
    void ChangeDate(int year, int month);
    ExpandCombo& MonthList() { return monthList_; }

  private:
    // Applies a year typed since the last change: false, after the range message, when
    // it is outside the years offered.
    bool applyYear();
    void yearButton(bool next);
    void monthChosen();
    void answer(int16_t result);
    static void setPicture(QPushButton* button, const QImage& picture);

    QString messageTitle_;
    vb::Date currentDate_;
    int16_t result_ = 0;
    ExpandCombo monthList_;
    QImage okImage_;
    QImage cancelImage_;
    QImage downImage_;
    bool yearTyped_ = false;
    bool leaving_ = false;
    std::vector<forms::Subscription> subscriptions_;
};
