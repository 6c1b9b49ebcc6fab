#include "CalendarForm.h"

#include "core/XXCommonFunctions.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/Format.h"

namespace {

// The arrow keys in the day grid choose the day beside, or the same weekday of the week
// before or after, as a click on it does; 0 for other keys.
int DayStep(int key) {
    switch (key) {
        case forms::vbKeyLeft:
            return -1;
        case forms::vbKeyRight:
            return 1;
        case forms::vbKeyUp:
            return -7;
        case forms::vbKeyDown:
            return 7;
        default:
            return 0;
    }
}

}  // namespace

CalendarForm::CalendarForm()
    : PickerForm(QStringLiteral("日付選択"), WeekdaysPicture),
      Picture3(new forms::PictureBox(this)) {
    forms::placeTwips(PrevButton, 420, 420, 495, 435);
    forms::placeTwips(YearText, 1020, 480, 615, 345);
    forms::placeTwips(NextButton, 1740, 420, 495, 435);
    forms::placeTwips(Picture1, 2820, 420, 1575, 495);
    forms::placeTwips(DateLabel, 8700, 600, 2295, 255);
    forms::placeTwips(Image1, 195, 960, 10710, 420);
    forms::placeTwips(Image2, 180, 60, 855, 330);
    forms::placeTwips(Image3, 2700, 60, 855, 330);
    forms::placeTwips(Picture3, 180, 1395, 10815, 6030);
    forms::placeTwips(OKButton, 6180, 7500, 2235, 615);
    forms::placeTwips(CancelButton, 8700, 7500, 2235, 615);
    Picture1->SetFontSize(9.75);
    Picture3->SetFontSize(9.75);
    setTabOrder(YearText, PrevButton);
    setTabOrder(PrevButton, NextButton);
    setTabOrder(NextButton, Picture1);
    setTabOrder(Picture1, Picture3);
    setTabOrder(Picture3, OKButton);
    setTabOrder(OKButton, CancelButton);
    gridEvents_.push_back(Picture3->MouseDown.connect(
        [this](int b, int s, double x, double y) { grid_.MouseDown(b, s, x, y); }));
    gridEvents_.push_back(Picture3->Click.connect([this] { Picture3_Click(); }));
    gridEvents_.push_back(Picture3->KeyDown.connect([this](int key, int) {
        if (key == forms::vbKeyEscape) {
            CancelButton_Click();
        } else if (const int days = DayStep(key); days != 0) {
            chooseDay(CurrentDate().dateOnly().addDays(days));
        }
    }));
}

void CalendarForm::PlaceForm() {
    XX共通関数::SetFormClientSize(*this, 765, 554);
    XX共通関数::CenterForm(*this);
}

void CalendarForm::PrepareDialog() {
    grid_.BodyPictureBox(Picture3);
    grid_.Rows(CalendarMonth::Rows);
    grid_.Cols(CalendarMonth::Cols);
    for (int16_t row = 0; row < CalendarMonth::Rows; ++row) {
        grid_.RowsHeight(row, 1000);
    }
    for (int16_t col = 0; col < CalendarMonth::Cols; ++col) {
        grid_.ColsWidth(col, 1530);
        grid_.ColsColor(col, forms::vbWhite);
        grid_.ColsAlign(col, 2);
        grid_.ColsType(col, 1);
    }
    grid_.ColsColor(0, forms::RGB(254, 184, 184));
    grid_.ColsColor(6, forms::RGB(102, 153, 255));
    grid_.AutoSize(true);
    grid_.FontSize(14);
}

void CalendarForm::ShowMonth() {
    month_ = CalendarMonth(CurrentDate());
    grid_.ValueMatrix(month_.DayNumbers());
    int row = -1;
    int col = -1;
    month_.Find(CurrentDate(), row, col);
    grid_.SelectCell(static_cast<int16_t>(row), static_cast<int16_t>(col));
    DateLabel->setText(
        vb::Format(vb::Variant(CurrentDate()), QStringLiteral("yyyy 年 mm 月 dd 日")));
}

void CalendarForm::Picture3_Click() {
    vb::Date day;
    if (month_.CellDate(grid_.Row(), grid_.Col(), day)) {
        chooseDay(day);
    }
}

void CalendarForm::chooseDay(const vb::Date& day) {
    SetCurrentDate(day);
    ShowYear(day.year());
    MonthList().ListIndex(static_cast<int16_t>(day.month() - 1));
    ShowMonth();
}
