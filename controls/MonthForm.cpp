#include "MonthForm.h"

#include "core/XXCommonFunctions.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/Twips.h"
#include "platform/runtime/Format.h"

MonthForm::MonthForm()
    : PickerForm(QStringLiteral("年月選択"), MonthHeadingPicture), CaptionLabel(new QLabel(this)) {
    resize(forms::toPixels(9810), forms::toPixels(5535));
    forms::placeTwips(Image1, 1500, 300, 4695, 525);
    forms::placeTwips(Image2, 2520, 360, 855, 330);
    forms::placeTwips(Image3, 5040, 360, 855, 330);
    forms::placeTwips(DateLabel, 7680, 360, 1695, 255);
    forms::placeTwips(PrevButton, 2760, 720, 495, 435);
    forms::placeTwips(YearText, 3360, 780, 615, 345);
    forms::placeTwips(NextButton, 4080, 720, 495, 435);
    forms::placeTwips(Picture1, 5160, 720, 1575, 495);
    forms::placeTwips(CaptionLabel, 2040, 2160, 5775, 1095);
    forms::placeTwips(OKButton, 2520, 3660, 2175, 615);
    forms::placeTwips(CancelButton, 5040, 3660, 2175, 615);
    Picture1->SetFontSize(9);
    CaptionLabel->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 12));
    CaptionLabel->setWordWrap(true);
    CaptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTabOrder(YearText, PrevButton);
    setTabOrder(PrevButton, NextButton);
    setTabOrder(NextButton, Picture1);
    setTabOrder(Picture1, OKButton);
    setTabOrder(OKButton, CancelButton);
}

void MonthForm::PlaceForm() {
    XX共通関数::CenterForm(*this);
}

void MonthForm::ShowDate() {
    DateLabel->setText(vb::Format(vb::Variant(CurrentDate()), QStringLiteral("yyyy 年 mm 月")));
}
