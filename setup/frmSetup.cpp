#include "frmSetup.h"

#include "WizardPaint.h"
#include "controls/PaintFunc.h"
#include "core/XXCommonFunctions.h"
#include "modSetup.h"
#include "platform/excel/OfficeProgram.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"

namespace {

constexpr double kClientWidth = 7455;
constexpr double kClientHeight = 5475;
constexpr long kEtchedDark = 0x808080;
// The wizard's pictures: the welcome band, then one per page from 1 to 5.
constexpr int32_t kWelcomePicture = 101;
const QString kPictureType = QStringLiteral("CUSTOM");

const QString kFont = QStringLiteral("MS UI Gothic");
const QString kLoadFailed =
    QStringLiteral("初期設定に失敗しました｡\r\nインストールを中止して最初からやり直してください。");

// Digits of the product number from 4 to 13, each right-aligned in five characters.
QString DigitsEntry(int digits) {
    return (QStringLiteral("    ") + QString::number(digits)).right(5);
}

}  // namespace

frmSetup::frmSetup() {
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    resize(forms::toPixels(kClientWidth), forms::toPixels(kClientHeight));
    BeforeButton = new QPushButton(QStringLiteral("< 戻る(&B)"), this);
    forms::placeTwips(BeforeButton, 3720, 4920, 1095, 375);
    NextButton = new QPushButton(QStringLiteral("次へ(&N) >"), this);
    forms::placeTwips(NextButton, 4920, 4920, 1095, 375);
    EndButton = new QPushButton(QStringLiteral("完了(&F)"), this);
    forms::placeTwips(EndButton, 6120, 4920, 1095, 375);
    CmdCombo[0] = new QComboBox(this);
    forms::placeTwips(CmdCombo[0], 4560, 2880, 855, 300);
    for (int i = 0; i < 2; ++i) {
        CmdOption[i] = new QRadioButton(this);
        forms::placeTwips(CmdOption[i], 3000, i == 0 ? 2640 : 3240, 3975, 300);
        CmdCheck[i] = new QCheckBox(this);
        forms::placeTwips(CmdCheck[i], 3000, i == 0 ? 2640 : 3240, 3975, 300);
    }
    connect(BeforeButton, &QPushButton::clicked, this, [this] { BeforeButton_Click(); });
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButton_Click(); });
    connect(EndButton, &QPushButton::clicked, this, [this] { EndButton_Click(); });
}

frmSetup::~frmSetup() = default;

void frmSetup::Form_Load() {
    XX共通関数::SetTopMost(*this, true);
    XX共通関数::CenterForm(*this);
    if (!LoadCurrentSettings()) {
        return;
    }
    step_ = 0;
    ShowStep();
}

bool frmSetup::LoadCurrentSettings() {
    settings_ = std::make_unique<SetupSettings>(modSetup::DBFileName, modSetup::DBPassword,
                                                modSetup::DBFolder);
    if (settings_->LoadCurrentSettings() < 0) {
        settings_.reset();
        forms::MsgBox(kLoadFailed, forms::vbCritical, forms::App::Title());
        forms::App::End(0);
        return false;
    }
    if (!modSetup::ResetMode && settings_->MadeBefore()) {
        modSetup::WriteInstallInfo();
        forms::App::End(0);
        return false;
    }
    return true;
}

void frmSetup::StoreStepChoice(int16_t step) {
    SetupSettings& settings = *settings_;
    const bool first = CmdOption[0]->isChecked();
    switch (step) {
        case 1:
            settings.SetSetting(SetupSettings::TradeFigure,
                                static_cast<int16_t>(CmdCombo[0]->currentIndex()));
            break;
        case 2:
            settings.SetSetting(SetupSettings::UnitDecimal, first ? 0 : 3);
            settings.SetSetting(SetupSettings::SumDecimal, first ? 0 : 3);
            break;
        case 3:
            settings.SetSetting(SetupSettings::PrintType, first ? 0 : 1);
            break;
        case 4:
            settings.SetSetting(SetupSettings::PictureFlg, first ? 0 : 1);
            break;
        case 5:
            settings.SetSupportLetter(
                SetupSettings::SupportLetterOf(CmdCheck[0]->isChecked(), CmdCheck[1]->isChecked()));
            break;
        case LastStep:
            settings.ComposeSystemId();
            break;
        default:
            break;
    }
}

void frmSetup::SaveSettings() {
    if (settings_->SaveSettings() < 0) {
        forms::MsgBox(kLoadFailed, forms::vbCritical, forms::App::Title());
    }
}

void frmSetup::BeforeButton_Click() {
    if (!settings_ || step_ <= 0) {
        return;
    }
    StoreStepChoice(step_);
    --step_;
    ShowStep();
}

void frmSetup::NextButton_Click() {
    if (!settings_ || step_ >= LastStep) {
        return;
    }
    StoreStepChoice(step_);
    ++step_;
    ShowStep();
}

void frmSetup::EndButton_Click() {
    if (!settings_ || step_ != LastStep) {
        return;
    }
    StoreStepChoice(step_);
    SaveSettings();
    modSetup::WriteInstallInfo();
    forms::App::End(0);
}

void frmSetup::DrawFrame() {
    SetCaption(QStringLiteral("モルビク - 初期設定(") + QString::number(step_ + 1) +
               QStringLiteral(" / 7)"));
    Cls();
    PaintFunc::DrawLine(*this, 4680, 0, static_cast<int32_t>(ScaleWidth()), kEtchedDark);
    PaintFunc::DrawLine(*this, 4695, 0, static_cast<int32_t>(ScaleWidth()), forms::vbWhite);
    CmdCombo[0]->hide();
    for (int i = 0; i < 2; ++i) {
        CmdOption[i]->hide();
        CmdCheck[i]->hide();
    }
}

void frmSetup::DrawWelcome() {
    const auto width = static_cast<int32_t>(ScaleWidth());
    PaintFunc::PaintResourcePicture(*this, kWelcomePicture, kPictureType, -100, 0, 0);
    PaintFunc::FillBox(*this, -100, 2460, 4630, width - 2460, forms::vbWhite, -1);
    PaintFunc::DrawTextLines(*this, QStringLiteral("モルビクの初期設定を行います。"), 600, 2640,
                             kFont, 12, true, forms::vbButtonText);
    PaintFunc::DrawTextLines(*this, QStringLiteral("[次へ] をクリックして設定を開始してください。"),
                             2160, 2760, kFont, 9, false, forms::vbButtonText);
}

void frmSetup::DrawHeader(const QString& title, const QString& subtitle, const QString& body) {
    const auto width = static_cast<int32_t>(ScaleWidth());
    PaintFunc::FillBox(*this, 0, 0, 1095, width, forms::vbWhite, -1);
    PaintFunc::DrawLine(*this, 1100, 0, width, kEtchedDark);
    PaintFunc::DrawLine(*this, 1115, 0, width, forms::vbWhite);
    PaintFunc::DrawTextLines(*this, title, 120, 120, kFont, 12, true, forms::vbButtonText);
    PaintFunc::DrawTextLines(*this, subtitle, 480, 360, kFont, 9, false, forms::vbButtonText);
    if (step_ < LastStep) {
        PaintFunc::PaintResourcePicture(*this, kWelcomePicture + step_, kPictureType, 1220, 120, 0);
        PaintFunc::DrawTextLines(*this, body, 1560, 2760, kFont, 9, false, forms::vbButtonText);
    }
}

void frmSetup::ShowDigits() {
    PaintFunc::DrawTextLines(*this, QStringLiteral("商品番号の桁数を"), 2925, 3060, kFont, 9, false,
                             forms::vbButtonText);
    PaintFunc::DrawTextLines(*this, QStringLiteral("桁にする。"), 2925, 5490, kFont, 9, false,
                             forms::vbButtonText);
    CmdCombo[0]->clear();
    for (int digits = 4; digits <= 13; ++digits) {
        CmdCombo[0]->addItem(DigitsEntry(digits));
    }
    const int16_t index = settings_->Setting(SetupSettings::TradeFigure);
    CmdCombo[0]->setCurrentIndex(index >= 0 && index < CmdCombo[0]->count() ? index : 0);
    CmdCombo[0]->show();
}

void frmSetup::ShowOptions(const QString& first, const QString& second, bool firstChosen) {
    CmdOption[0]->setText(first);
    CmdOption[1]->setText(second);
    for (QRadioButton* option : CmdOption) {
        option->setEnabled(true);
    }
    CmdOption[firstChosen ? 0 : 1]->setChecked(true);
    for (QRadioButton* option : CmdOption) {
        option->show();
    }
}

void frmSetup::ShowPrinting() {
    ShowOptions(QStringLiteral("印刷に Microsoft Excel を使用する。"),
                QStringLiteral("印刷に Microsoft Excel を使用しない。"),
                settings_->Setting(SetupSettings::PrintType) == 0);
    if (excel::office::programPath().isEmpty()) {
        CmdOption[0]->setEnabled(false);
        CmdOption[1]->setEnabled(false);
        CmdOption[1]->setChecked(true);
    }
}

void frmSetup::ShowSupport() {
    CmdCheck[0]->setText(QStringLiteral("売れ筋商品ランキングを利用する。"));
    CmdCheck[1]->setText(QStringLiteral("在庫少数商品リストを利用する。"));
    const QString letter = settings_->SupportLetter();
    CmdCheck[0]->setChecked(letter == QLatin1String("R") || letter == QLatin1String("A"));
    CmdCheck[1]->setChecked(letter == QLatin1String("L") || letter == QLatin1String("A"));
    CmdCheck[0]->show();
    CmdCheck[1]->show();
}

void frmSetup::DrawConfirmation() {
    const SetupSettings& settings = *settings_;
    const auto text = [this](const QString& line, int32_t top, int32_t left) {
        PaintFunc::DrawTextLines(*this, line, top, left, kFont, 9, false, forms::vbButtonText);
    };
    text(QStringLiteral("設定内容を確認し、よろしければ [完了] をクリックしてください。"), 1560,
         600);
    text(QStringLiteral("設定内容 ："), 2100, 600);
    text(QStringLiteral("商品番号の桁数 ： ") +
             QString::number(settings.Setting(SetupSettings::TradeFigure) + 4) +
             QStringLiteral("桁"),
         2400, 900);
    text(settings.Setting(SetupSettings::UnitDecimal) == 0
             ? QStringLiteral("小数点以下の表示 ： 数量及び金額に小数点以下を表示しない。")
             : QStringLiteral("小数点以下の表示 ： 数量及び金額に小数点以下を表示する。"),
         2700, 900);
    text(settings.Setting(SetupSettings::PrintType) == 0
             ? QStringLiteral("印刷設定 ： 印刷に Microsoft Excel を使用する。")
             : QStringLiteral("印刷設定 ： 印刷に Microsoft Excel を使用しない。"),
         3000, 900);
    text(settings.Setting(SetupSettings::PictureFlg) == 0
             ? QStringLiteral("画面設定 ： 画面アイコンにキャラクタアイコンを表示しない。")
             : QStringLiteral("画面設定 ： 画面アイコンにキャラクタアイコンを表示する。"),
         3300, 900);
    text(QStringLiteral("経営支援機能の利用 ："), 3600, 900);
    text(CmdCheck[0]->isChecked() ? QStringLiteral("売れ筋商品ランキングを利用する。")
                                  : QStringLiteral("売れ筋商品ランキングを利用しない。"),
         3900, 2700);
    text(CmdCheck[1]->isChecked() ? QStringLiteral("在庫少数商品リストを利用する。")
                                  : QStringLiteral("在庫少数商品リストを利用しない。"),
         4200, 2700);
}

void frmSetup::ShowStep() {
    DrawFrame();
    switch (step_) {
        case 0:
            DrawWelcome();
            break;
        case 1:
            DrawHeader(QStringLiteral("商品番号の桁数"),
                       QStringLiteral("[商品番号] の桁数を設定します。設定された桁数の商品番号"
                                      "で、商品を登録及び管理\r\nすることができます。"),
                       QStringLiteral("商品を管理する番号が既にある場合は、その桁数に\r\n"
                                      "あわせることができます。（バーコードなど）\r\n"
                                      "初期設定は４桁です。\r\n\r\n"
                                      "注意！！ Ver1.03 をご使用の場合は、８桁以上を\r\n"
                                      "設定してください。"));
            ShowDigits();
            break;
        case 2:
            DrawHeader(QStringLiteral("小数点以下の表示"),
                       QStringLiteral("数量及び金額に小数点以下を表示するかどうかを設定します。"),
                       QStringLiteral("小数点以下の表示することにより、量り売りなどで１未満が\r\n"
                                      "存在する数量や１円未満が存在する単価を扱うことができ\r\n"
                                      "ます。"));
            ShowOptions(QStringLiteral("数量及び金額に小数点以下を表示しない｡"),
                        QStringLiteral("数量及び金額に小数点以下を表示する｡"),
                        settings_->Setting(SetupSettings::UnitDecimal) == 0);
            break;
        case 3:
            DrawHeader(QStringLiteral("印刷設定"),
                       QStringLiteral("印刷に Microsoft Excel を使用するかどうかを設定します。"),
                       QStringLiteral("印刷に Microsoft Excel を使用すると、帳票をExcelファイル\r\n"
                                      "として出力することができます。\r\n"
                                      "Microsoft Excel がインストールされていない場合は選択で\r\n"
                                      "きません。"));
            ShowPrinting();
            break;
        case 4:
            DrawHeader(
                QStringLiteral("画面設定"),
                QStringLiteral("画面アイコンにキャラクタアイコンを表示するかどうかを設定します。"),
                QStringLiteral("キャラクタアイコンの表示を選択するとメニューのボタンに\r\n"
                               "キャラクタアイコンが表示されます。"));
            ShowOptions(QStringLiteral("画面アイコンにキャラクタアイコンを表示しない。"),
                        QStringLiteral("画面アイコンにキャラクタアイコンを表示する。"),
                        settings_->Setting(SetupSettings::PictureFlg) == 0);
            break;
        case 5:
            DrawHeader(QStringLiteral("経営支援機能の利用"),
                       QStringLiteral("利用する経営支援機能を選択します。"),
                       QStringLiteral("経営支援機能を利用すると、売れ筋商品や在庫が少なく\r\n"
                                      "なった商品を一目で見分けることができます。"));
            ShowSupport();
            break;
        default:
            DrawHeader(QStringLiteral("初期設定の確認"),
                       QStringLiteral("選択された設定に基づいて初期設定を行います。"), QString());
            DrawConfirmation();
            break;
    }
    BeforeButton->setEnabled(step_ > 0);
    NextButton->setEnabled(step_ < LastStep);
    EndButton->setEnabled(step_ == LastStep);
    if (step_ == LastStep) {
        EndButton->setFocus();
    }
}
