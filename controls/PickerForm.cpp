#include "PickerForm.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QTimer>

#include "PickerDates.h"
#include "core/XXPictureFunctions.h"
#include "platform/forms/Fonts.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/Clock.h"
#include "platform/runtime/Strings.h"
#include "platform/runtime/VariantArray.h"

namespace {

constexpr long FormColor = 0xE0E0E0;

QImage pickerPicture(int32_t id) {
    return XX共通関数::LoadResourcePicture(id, vb::Variant(QStringLiteral("PICKER")));
}

QPushButton* pictureButton(QWidget* parent, long backColor, const QImage& picture) {
    auto* button = new QPushButton(parent);
    const QColor face = forms::colorFromVb(backColor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #7a8799;"
                       " border-radius: 4px; }"
                       " QPushButton:hover { border-color: #2e6da4; }"
                       " QPushButton:focus { border: 2px solid #2e6da4; }"
                       " QPushButton:pressed { background-color: %2; }")
            .arg(face.name(), face.darker(112).name()));
    // A click leaves the focus where it is, so that the year box is not left (and
    // checked) by a click on Cancel; the buttons check it themselves.
    button->setFocusPolicy(Qt::TabFocus);
    if (!picture.isNull()) {
        button->setIcon(QPixmap::fromImage(picture));
        button->setIconSize(picture.size());
    }
    return button;
}

QLabel* pictureLabel(QWidget* parent, int32_t id) {
    auto* label = new QLabel(parent);
    label->setPixmap(QPixmap::fromImage(pickerPicture(id)));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* textLabel(QWidget* parent, double points) {
    auto* label = new QLabel(parent);
    label->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), points));
    return label;
}

}  // namespace

PickerForm::PickerForm(const QString& messageTitle, int32_t headingPicture)
    : PrevButton(pictureButton(this, 0xFFE0E0, pickerPicture(PrevYearPicture))),
      YearText(new QLineEdit(this)),
      NextButton(pictureButton(this, 0xFFFFFF, pickerPicture(NextYearPicture))),
      Picture1(new forms::PictureBox(this)),
      DateLabel(textLabel(this, 12)),
      Image1(pictureLabel(this, headingPicture)),
      Image2(pictureLabel(this, YearCaptionPicture)),
      Image3(pictureLabel(this, MonthCaptionPicture)),
      OKButton(pictureButton(this, 0xFFC0C0, QImage())),
      CancelButton(pictureButton(this, 0xFFC0C0, QImage())),
      messageTitle_(messageTitle),
      currentDate_(vb::Now()),
      okImage_(pickerPicture(OKPicture)),
      cancelImage_(pickerPicture(CancelPicture)),
      downImage_(pickerPicture(DropDownPicture)) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // No caption text. An empty title would make the window system show the program's
    // name instead, so the title is one blank.
    SetCaption(QStringLiteral(" "));
    SetBackColor(FormColor);
    // The heading lies behind the captions and boxes it reaches under.
    Image1->lower();
    Picture1->SetBackColor(FormColor);

    YearText->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 12));
    YearText->setMaxLength(4);
    YearText->setAlignment(Qt::AlignCenter);
    YearText->setAttribute(Qt::WA_InputMethodEnabled, false);
    YearText->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), YearText));
    YearText->installEventFilter(this);
    connect(YearText, &QLineEdit::textEdited, this, [this] { yearTyped_ = true; });

    OKButton->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 9));
    CancelButton->setFont(forms::resolveFont(QStringLiteral("MS UI Gothic"), 9));
    connect(PrevButton, &QPushButton::clicked, this, [this] { PrevButton_Click(); });
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButton_Click(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });

    subscriptions_.push_back(Picture1->MouseDown.connect(
        [this](int b, int s, double x, double y) { monthList_.MouseDown(b, s, x, y); }));
    subscriptions_.push_back(Picture1->MouseMove.connect(
        [this](int b, int s, double x, double y) { monthList_.MouseMove(b, s, x, y); }));
    subscriptions_.push_back(Picture1->MouseUp.connect(
        [this](int b, int s, double x, double y) { monthList_.MouseUp(b, s, x, y); }));
    subscriptions_.push_back(Picture1->KeyDown.connect([this](int key, int shift) {
        // Escape closes an open list first; on the closed box it is Cancel.
        const bool listOpen = monthList_.IsOpen();
        monthList_.KeyDown(key, shift);
        if (key == forms::vbKeyEscape && !listOpen) {
            CancelButton_Click();
        }
    }));
    subscriptions_.push_back(
        Picture1->KeyPress.connect([this](int key) { Picture1_KeyPress(key); }));
    subscriptions_.push_back(Picture1->GotFocus.connect([this] { monthList_.GotFocus(); }));
    subscriptions_.push_back(Picture1->LostFocus.connect([this] { monthList_.LostFocus(); }));
    subscriptions_.push_back(Picture1->Click.connect([this] { Picture1_Click(); }));
}

void PickerForm::SetOKPicture(const QImage& picture) {
    Load();
    setPicture(OKButton, picture);
}

void PickerForm::SetCancelPicture(const QImage& picture) {
    Load();
    setPicture(CancelButton, picture);
}

void PickerForm::setPicture(QPushButton* button, const QImage& picture) {
    button->setIcon(QPixmap::fromImage(picture));
    button->setIconSize(picture.size());
}

void PickerForm::Form_Load() {
    PlaceForm();
    monthList_.BodyPictureBox(Picture1);
    monthList_.IconImage(downImage_);
    monthList_.IconPosition(0);
    monthList_.BackGroundColor(FormColor);
    monthList_.FontSize(12);
    monthList_.Align(2);
    for (int month = 1; month <= 12; ++month) {
        vb::VariantArray item = vb::VariantArray::vector(2);
        item[0] = vb::Variant(PickerDates::MonthText(month));
        item[1] = vb::Variant(static_cast<int16_t>(month));
        monthList_.AddItem(vb::Variant(item));
    }
    // The open list covers the controls below the month box.
    Picture1->raise();
    PrepareDialog();
    currentDate_ = PickerDates::StartDate(currentDate_, vb::Now());
    ShowYear(currentDate_.year());
    monthList_.ListIndex(static_cast<int16_t>(currentDate_.month() - 1));
    ShowDate();
    if (OKButton->icon().isNull()) {
        setPicture(OKButton, okImage_);
    }
    if (CancelButton->icon().isNull()) {
        setPicture(CancelButton, cancelImage_);
    }
}

void PickerForm::Form_QueryUnload(int& cancel, int unloadMode) {
    // Closing the window is Cancel; the form stays loaded for its owner.
    if (unloadMode == forms::vbFormControlMenu) {
        cancel = 1;
        CancelButton_Click();
    }
}

void PickerForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CancelButton_Click();
        return;
    }
    forms::Form::keyPressEvent(event);
}

bool PickerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == YearText) {
        switch (event->type()) {
            case QEvent::KeyPress: {
                const auto* key = static_cast<QKeyEvent*>(event);
                // Tab moves the focus on and Escape cancels, as in every other control;
                // neither is a character typed into the box.
                if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
                    key->key() == Qt::Key_Escape) {
                    break;
                }
                int keyAscii = forms::vbKeyAscii(*key);
                if (keyAscii != 0) {
                    YearText_KeyPress(keyAscii);
                    if (keyAscii == 0) {
                        return true;
                    }
                }
                break;
            }
            case QEvent::FocusIn:
                YearText_GotFocus();
                break;
            case QEvent::FocusOut: {
                // Another window taking the activation (a message box) leaves the focus
                // where it is.
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                    YearText_LostFocus();
                }
                break;
            }
            default:
                break;
        }
    }
    return forms::Form::eventFilter(watched, event);
}

void PickerForm::ShowYear(int year) {
    YearText->setText(QString::number(year));
    yearTyped_ = false;
}

void PickerForm::ChangeDate(int year, int month) {
    currentDate_ = PickerDates::WithYearMonth(year, month, currentDate_.day());
    ShowDate();
}

bool PickerForm::applyYear() {
    if (!yearTyped_) {
        return true;
    }
    const std::optional<int> year = PickerDates::TypedYear(YearText->text());
    if (!year) {
        forms::MsgBox(QStringLiteral("入力された年が範囲外です。"), forms::vbExclamation,
                      messageTitle_);
        YearText->setFocus(Qt::OtherFocusReason);
        YearText->selectAll();
        return false;
    }
    yearTyped_ = false;
    ChangeDate(*year, currentDate_.month());
    return true;
}

void PickerForm::yearButton(bool next) {
    if (!applyYear()) {
        return;
    }
    const int shown = static_cast<int>(vb::Val(YearText->text()));
    const int year = next ? PickerDates::NextYear(shown) : PickerDates::PrevYear(shown);
    ShowYear(year);
    YearText->setFocus(Qt::OtherFocusReason);
    YearText->selectAll();
    ChangeDate(year, currentDate_.month());
}

void PickerForm::PrevButton_Click() {
    yearButton(false);
}

void PickerForm::NextButton_Click() {
    yearButton(true);
}

void PickerForm::monthChosen() {
    const vb::Variant item = monthList_.ChosenItem();
    if (!item.isArray()) {
        return;
    }
    ChangeDate(currentDate_.year(), item.array().at(1).toInteger());
}

void PickerForm::Picture1_KeyPress(int& keyAscii) {
    if (keyAscii == forms::vbKeyReturn) {
        monthChosen();
    }
}

void PickerForm::YearText_GotFocus() {
    // After the click that gave the focus has placed the cursor.
    QTimer::singleShot(0, YearText, [this] { YearText->selectAll(); });
}

void PickerForm::YearText_KeyPress(int& keyAscii) {
    if (keyAscii == forms::vbKeyReturn) {
        keyAscii = 0;
        if (applyYear()) {
            Picture1->SetFocus();
        }
        return;
    }
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != forms::vbKeyBack) {
        keyAscii = 0;
    }
}

void PickerForm::YearText_LostFocus() {
    if (!leaving_) {
        applyYear();
    }
}

void PickerForm::OKButton_Click() {
    if (MousePointer() == forms::vbHourglass || !applyYear()) {
        return;
    }
    answer(-1);
}

void PickerForm::CancelButton_Click() {
    if (MousePointer() != forms::vbHourglass) {
        answer(0);
    }
}

void PickerForm::answer(int16_t result) {
    SetMousePointer(forms::vbHourglass);
    result_ = result;
    leaving_ = true;
    Hide();
    leaving_ = false;
    SetMousePointer(forms::vbDefault);
}
