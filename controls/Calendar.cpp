#include "Calendar.h"

#include "CalendarForm.h"

Calendar::Calendar() : form_(std::make_unique<CalendarForm>()) {
    form_->SetDeleteOnUnload(false);
}

Calendar::~Calendar() {
    form_->Unload();
}

void Calendar::Value(const vb::Date& date) {
    form_->SetCurrentDate(date);
}

vb::Date Calendar::Value() const {
    return form_->CurrentDate();
}

void Calendar::OKImage(const QImage& picture) {
    form_->SetOKPicture(picture);
}

void Calendar::CancelImage(const QImage& picture) {
    form_->SetCancelPicture(picture);
}

int16_t Calendar::Show() {
    form_->Show(forms::vbModal);
    return form_->Result();
}
