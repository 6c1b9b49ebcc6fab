#include "MonthView.h"

#include "MonthForm.h"

MonthView::MonthView() : form_(std::make_unique<MonthForm>()) {
    form_->SetDeleteOnUnload(false);
}

MonthView::~MonthView() {
    form_->Unload();
}

void MonthView::Value(const vb::Date& date) {
    form_->SetCurrentDate(date);
}

vb::Date MonthView::Value() const {
    return form_->CurrentDate();
}

void MonthView::Caption(const QString& text) {
    form_->SetCaptionText(text);
}

void MonthView::OKImage(const QImage& picture) {
    form_->SetOKPicture(picture);
}

void MonthView::CancelImage(const QImage& picture) {
    form_->SetCancelPicture(picture);
}

vb::Date MonthView::FromDate() const {
    return form_->CurrentDate().firstOfMonth();
}

vb::Date MonthView::ToDate() const {
    return form_->CurrentDate().lastOfMonth();
}

int16_t MonthView::Show() {
    form_->Show(forms::vbModal);
    return form_->Result();
}
