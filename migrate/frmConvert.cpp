#include "frmConvert.h"

#include <QFileInfo>

#include "ConvertPictures.h"
#include "EarlierDatabaseCopy.h"
#include "ExpandProgressbar.h"
#include "InstallProbe.h"
#include "backup/SpaceMessage.h"
#include "controls/PaintFunc.h"
#include "core/CommonDialog.h"
#include "core/XXCommonFunctions.h"
#include "modConvert.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/Twips.h"
#include "platform/forms/VbColor.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Variant.h"
#include "setup/WizardPaint.h"

namespace {

constexpr double kClientWidth = 7455;
constexpr double kClientHeight = 5520;
constexpr long kEtchedDark = 0x808080;
constexpr int kVisibleRows = 3;
const QString kFont = QStringLiteral("MS UI Gothic");

QString UpdateText(const vb::Date& date) {
    return vb::Format(vb::Variant(date), "yyyy年m月d日、h:nn:ss");
}

QString MismatchMessage(int32_t result) {
    const QString nl = QStringLiteral("\r\n");
    QString text = "データの移行を中止しました。" + nl + nl;
    if (result & DetaCheck_Set::TooLongTradeNo) {
        text += "・ [初期設定] で設定された [商品番号の桁数] が、元データの" + nl +
                "　　商品番号の桁数より少なく設定されています。" + nl + nl;
    }
    if (result & DetaCheck_Set::FractionFound) {
        text += "・ [初期設定] で [小数点以下を表示しない] が設定されましたが、" + nl +
                "　　元データに小数点以下のデータが見つかりました。" + nl + nl;
    }
    text +=
        nl + nl + "■以下の点を注意して、[初期設定] 画面で設定をやりなおしてください。" + nl + nl;
    if (result & DetaCheck_Set::TooLongTradeNo) {
        text += "・ [商品番号の桁数] を元データの商品番号の桁数以上にしてください。" + nl + nl;
    }
    if (result & DetaCheck_Set::FractionFound) {
        text += "・ [小数点以下の表示] を [小数点以下を表示する] にしてください。" + nl + nl;
    }
    return text;
}

// The earlier numbers that would become one number, at most ten collisions named.
QString CollisionMessage(const QStringList& collisions) {
    const QString nl = QStringLiteral("\r\n");
    constexpr qsizetype kNamed = 10;
    QString text = "データの移行を中止しました。" + nl + nl +
                   "元データの次の番号は、移行すると同じ番号になります。" + nl + nl;
    for (const QString& collision : collisions.mid(0, kNamed)) {
        text += "・ " + collision + nl;
    }
    if (collisions.size() > kNamed) {
        text += "・ ほか " + QString::number(collisions.size() - kNamed) + " 件" + nl;
    }
    text += nl + "■ご使用中のシステムで番号が重ならないように変更してから、" + nl +
            "　もう一度 [開始] をクリックしてください。";
    return text;
}

// The database from before the migration is named when it stays in a work folder.
QString FailureMessage(const QString& keptFolder) {
    const QString nl = QStringLiteral("\r\n");
    QString text = QStringLiteral("データの移行に失敗しました｡") + nl;
    if (!keptFolder.isEmpty()) {
        text += "移行前のデータは次のフォルダに残しました。" + nl + keptFolder + nl;
    }
    return text + "インストールを中断して最初からやり直してください。";
}

}  // namespace

frmConvert::frmConvert(const InstallList& installations, int selectedIndex)
    : installList_(installations), selectedIndex_(selectedIndex) {
    setWindowFlag(Qt::WindowMinMaxButtonsHint, false);
    resize(forms::toPixels(kClientWidth), forms::toPixels(kClientHeight));
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    forms::placeTwips(CancelButton, 2520, 4920, 1095, 375);
    BeforeButton = new QPushButton(QStringLiteral("< 戻る(&B)"), this);
    forms::placeTwips(BeforeButton, 3720, 4920, 1095, 375);
    NextButton = new QPushButton(QStringLiteral("次へ(&N) >"), this);
    forms::placeTwips(NextButton, 4920, 4920, 1095, 375);
    EndButton = new QPushButton(QStringLiteral("完了(&F)"), this);
    forms::placeTwips(EndButton, 6120, 4920, 1095, 375);
    CmdVScroll = new QScrollBar(Qt::Vertical, this);
    CmdVScroll->setRange(0, 0);
    CmdVScroll->setEnabled(false);
    CmdVScroll->hide();
    ProgressPicture = new forms::PictureBox(this);
    ProgressPicture->SetVisible(false);
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButton_Click(); });
    connect(BeforeButton, &QPushButton::clicked, this, [this] { BeforeButton_Click(); });
    connect(NextButton, &QPushButton::clicked, this, [this] { NextButton_Click(); });
    connect(EndButton, &QPushButton::clicked, this, [this] { EndButton_Click(); });
    connect(CmdVScroll, &QScrollBar::valueChanged, this, [this] { CmdVScroll_Change(); });
    mouseDown_ = MouseDown.connect(
        [this](int button, int shift, double x, double y) { Form_MouseDown(button, shift, x, y); });
}

frmConvert::~frmConvert() = default;

void frmConvert::Form_Load() {
    XX共通関数::SetTopMost(*this, true);
    XX共通関数::CenterForm(*this);
    forms::placeTwips(CmdVScroll, 6780, 2160, 300, 1650);
    if (installList_.Count() == 0) {
        installList_.SearchStandardFolders();
    }
    step_ = 0;
    ShowStep();
}

void frmConvert::Text(const QString& text, int32_t top, int32_t left, double size, bool bold) {
    PaintFunc::DrawTextLines(*this, text, top, left, kFont, size, bold, forms::vbButtonText);
}

QString frmConvert::PathLines(const QString& path, double width) {
    SetFontName(kFont);
    SetFontSize(9);
    SetFontBold(false);
    QStringList lines;
    QString line;
    const QStringList parts = path.split(u'/');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = i + 1 < parts.size() ? parts[i] + u'/' : parts[i];
        if (!line.isEmpty() && TextWidth(line + part) > width) {
            lines << line;
            line.clear();
        }
        line += part;
    }
    lines << line;
    return lines.join(QStringLiteral("\r\n"));
}

void frmConvert::Picture(const QString& type, int32_t id, int32_t top, int32_t left) {
    const QImage picture = ConvertPictures::Picture(type, id);
    if (!picture.isNull()) {
        PaintPicture(picture, left, top);
    }
}

void frmConvert::DrawWelcome() {
    Picture("CUSTOM", 101, -100, 0);
    PaintFunc::FillBox(*this, 0, 2460, 4630, static_cast<int32_t>(ScaleWidth()) - 2460,
                       forms::vbWhite, -1);
    Text(QStringLiteral("ご使用中のモルビクのデータを\r\n移行します。"), 600, 2640, 12, true);
    Text(QStringLiteral("[次へ] をクリックしてデータの移行を開始してください。"), 2160, 2760);
}

void frmConvert::DrawHeader(const QString& title, const QString& subtitle) {
    const auto width = static_cast<int32_t>(ScaleWidth());
    PaintFunc::FillBox(*this, 0, 0, 1095, width, forms::vbWhite, -1);
    PaintFunc::DrawLine(*this, 1100, 0, width, kEtchedDark);
    PaintFunc::DrawLine(*this, 1115, 0, width, forms::vbWhite);
    Text(title, 120, 120, 12, true);
    Text(subtitle, 480, 360);
}

void frmConvert::DrawInstallList() {
    PaintFunc::FillBox(*this, 2100, 360, 2340, 6750, forms::vbWhite, 0);
    const int count = installList_.Count();
    if (count == 0) {
        Text(QStringLiteral("標準のインストールフォルダにはシステムは見つかりませんでした。\r\n"
                            "[その他のシステムを選択] をクリックして、"
                            "システムをインストールしたフォルダを\r\n選択してください。"),
             2160, 420);
    }
    const int first = CmdVScroll->value();
    for (int i = 0; i < kVisibleRows && first + i < count; ++i) {
        const InstallInfo& row = installList_.Row(first + i);
        const bool chosen = first + i == selectedIndex_;
        const int32_t top = 2160 + 570 * i;
        PaintFunc::FillBox(*this, top, 420, 510, 6300, chosen ? 0x80FFFF : 0xF0F0F0, -1);
        Picture("ICON", 1, top + 30, 450);
        Text(row.ProductName + " Ver." + row.ProductVersion + "\r\n　データ最終更新日時：" +
                 UpdateText(row.LastUpdate),
             top + 90, 1020);
        Picture("CUSTOM", chosen ? 202 : 201, top + 30, 5220);
    }
    CmdVScroll->blockSignals(true);
    CmdVScroll->setMaximum(count > kVisibleRows ? count - kVisibleRows : 0);
    CmdVScroll->blockSignals(false);
    CmdVScroll->setEnabled(count > kVisibleRows);
    CmdVScroll->show();
    Picture("ICON", 2, 3900, 450);
    Picture("CUSTOM", 203, 3900, 1020);
}

void frmConvert::DrawConfirmation() {
    Text(QStringLiteral("以下のデータを移行します。よろしければ [開始] をクリックしてください。"),
         1560, 600);
    Text(QStringLiteral("移行データ ："), 2100, 600);
    const InstallInfo& row = installList_.Row(selectedIndex_);
    Picture("ICON", 1, 2430, 1170);
    Text(row.ProductName + " Ver." + row.ProductVersion + "\r\nデータ最終更新日時：" +
             UpdateText(row.LastUpdate),
         2490, 1740);
}

void frmConvert::ShowStep() {
    SetCaption(QStringLiteral("モルビク - データコンバート(") + QString::number(step_ + 1) +
               QStringLiteral(" / 4)"));
    Cls();
    const auto width = static_cast<int32_t>(ScaleWidth());
    PaintFunc::DrawLine(*this, 4680, 0, width, kEtchedDark);
    PaintFunc::DrawLine(*this, 4695, 0, width, forms::vbWhite);
    CmdVScroll->hide();
    EndButton->setText(QStringLiteral("開始(&S)"));
    switch (step_) {
        case 0:
            DrawWelcome();
            BeforeButton->setEnabled(false);
            NextButton->setEnabled(true);
            EndButton->setEnabled(false);
            break;
        case 1:
            DrawHeader(QStringLiteral("ご使用中のモルビクの選択"),
                       QStringLiteral("移行元のシステムを選択します。\r\n"
                                      "一覧から移行元のシステムを選択してください。"));
            Text(QStringLiteral(
                     "一覧にご使用中のシステムが表示されていない場合は、[その他のシステムを選択] "
                     "を\r\nクリックして、システムをインストールしたフォルダを選択してください。"
                     "\r\nシステムのインストール時に [インストールフォルダの選択] "
                     "で別のフォルダを選択した\r\n場合は一覧に表示されません。"),
                 1200, 360);
            DrawInstallList();
            BeforeButton->setEnabled(true);
            NextButton->setEnabled(selectedIndex_ >= 0);
            EndButton->setEnabled(false);
            break;
        case 2:
            DrawHeader(QStringLiteral("移行データの確認"),
                       QStringLiteral("選択された移行元のシステムからデータを移行します。"));
            DrawConfirmation();
            BeforeButton->setEnabled(true);
            NextButton->setEnabled(false);
            EndButton->setEnabled(true);
            EndButton->setFocus();
            break;
        default:
            DrawHeader(QStringLiteral("移行の完了"),
                       QStringLiteral("データの移行が終了しました。"));
            Text(QStringLiteral("データの移行が正常に終了しました。\r\n\r\n"
                                "[完了] をクリックしてデータの移行を完了してください。"),
                 1560, 600);
            if (!spareBackupFolder_.isEmpty()) {
                Text(QStringLiteral("移行元のフォルダには書き込めないため、移行元のデータを"
                                    "次のフォルダに\r\nバックアップしました。\r\n") +
                         PathLines(spareBackupFolder_, ScaleWidth() - 600 - 240),
                     2520, 600);
            }
            CancelButton->setEnabled(false);
            BeforeButton->setEnabled(false);
            NextButton->setEnabled(false);
            EndButton->setText(QStringLiteral("完了(&F)"));
            EndButton->setEnabled(true);
            EndButton->setFocus();
            break;
    }
    Refresh();
}

void frmConvert::CmdVScroll_Change() {
    if (step_ == 1) {
        DrawInstallList();
        Refresh();
    }
}

void frmConvert::Form_MouseDown(int /*button*/, int /*shift*/, double x, double y) {
    if (step_ != 1 || running_) {
        return;
    }
    for (int i = 0; i < kVisibleRows && i < installList_.Count(); ++i) {
        const double top = 2160 + 570 * i;
        if (x >= 420 && x < 6720 && y >= top && y < top + 510 &&
            CmdVScroll->value() + i < installList_.Count()) {
            selectedIndex_ = CmdVScroll->value() + i;
            DrawInstallList();
            Refresh();
            NextButton->setEnabled(true);
            NextButton->setFocus();
            return;
        }
    }
    if (x >= 1020 && x < 3735 && y >= 3900 && y < 4335) {
        ChooseOtherFolder();
    }
}

void frmConvert::ChooseOtherFolder() {
    CommonDialog dialog;
    dialog.OwnerhWnd(this);
    dialog.Title(QStringLiteral("システムをインストールしたフォルダを選択してください。"));
    dialog.InitialFolder(QStringLiteral("/"));
    const QString folder = dialog.ShowFolder();
    if (folder.isEmpty()) {
        return;
    }
    if (installList_.AddInstallation(folder)) {
        selectedIndex_ = -1;
        DrawInstallList();
        Refresh();
        NextButton->setEnabled(false);
    } else {
        forms::MsgBox(QStringLiteral("システムがインストールされたフォルダではありません。"),
                      forms::vbExclamation, forms::App::Title());
    }
}

void frmConvert::BeforeButton_Click() {
    if (step_ > 0 && !running_) {
        --step_;
        ShowStep();
    }
}

void frmConvert::NextButton_Click() {
    if (running_ || step_ >= 2 || (step_ == 1 && selectedIndex_ < 0)) {
        return;
    }
    ++step_;
    ShowStep();
}

void frmConvert::CancelButton_Click() {
    if (running_) {
        return;
    }
    const int answer = forms::MsgBox(
        QStringLiteral("データを移行せずに終了してもよろしいですか？\r\n\r\n"
                       "データを移行せずに終了した場合は、ご使用中のシステムから"
                       "\r\nデータを引き継ぎません。"),
        forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2, forms::App::Title());
    if (answer == forms::vbYes) {
        Unload();
    }
}

void frmConvert::EndButton_Click() {
    if (running_) {
        return;
    }
    if (step_ == 3) {
        Unload();
        return;
    }
    if (step_ != 2) {
        return;
    }
    CancelButton->setEnabled(false);
    BeforeButton->setEnabled(false);
    EndButton->setEnabled(false);
    running_ = true;
    const int32_t result = RunMigration();
    running_ = false;
    if (result == -3) {
        CancelButton->setEnabled(true);
        BeforeButton->setEnabled(true);
        EndButton->setEnabled(true);
    } else if (result == -2) {
        setupRequested_ = true;
        Unload();
    } else if (result < 0) {
        const QString space =
            neededBytes_ > 0 ? SpaceMessage(QStringLiteral("バックアップ"), neededBytes_) + "\r\n"
                             : QString();
        forms::MsgBox(space + FailureMessage(keptFolder_), forms::vbCritical, forms::App::Title());
        Unload();
    } else {
        ++step_;
        ShowStep();
    }
}

int32_t frmConvert::RunMigration() {
    if (selectedIndex_ < 0 || selectedIndex_ >= installList_.Count()) {
        return -1;
    }
    const InstallInfo source = installList_.Row(selectedIndex_);
    InstallInfo target;
    if (!modConvert::ProbeOwnFolder(target)) {
        return -1;
    }
    const EarlierDatabaseCopy earlier(source.InstallFolder + "/" + source.DataFile,
                                      DetaCheck_Set::DBPassword);
    if (!earlier.ok()) {
        return -1;
    }
    const QString sourcePath = earlier.path();
    DetaCheck_Set::SourcePassword = modConvert::SourcePasswordFor(sourcePath);
    bool timedOut = false;
    if (!modConvert::CheckEarlierDatabase(sourcePath, &timedOut)) {
        // Nothing is known of a file whose check was stopped: it is not called damaged.
        forms::MsgBox(timedOut ? QStringLiteral("DataBaseの確認が時間内に終わりませんでした。\r\n"
                                                "しばらくしてから、もう一度実行してください。")
                               : QStringLiteral("DataBaseが破損している恐れがあります。\r\n"
                                                "データの移行を中止しました。"),
                      forms::vbCritical, forms::App::Title());
        return -3;
    }
    if (!modConvert::CheckNewDatabase(target.InstallFolder + "/" + target.DataFile)) {
        return -1;
    }
    const QFileInfo read(sourcePath);
    const int32_t check = DetaCheck_Set::CheckSourceData(read.fileName(), read.absolutePath(),
                                                         target.DataFile, target.InstallFolder);
    if (check > 0 && (check & DetaCheck_Set::CollidingTradeNo)) {
        forms::MsgBox(CollisionMessage(DetaCheck_Set::CollidingTradeNos), forms::vbExclamation,
                      forms::App::Title());
        return -3;
    }
    if (check > 0) {
        forms::MsgBox(MismatchMessage(check), forms::vbExclamation, forms::App::Title());
        return -2;
    }
    if (check < 0) {
        return -1;
    }
    ExpandProgressbar progress;
    progress.Show(*ProgressPicture, *this);
    QString backupFolder;
    const bool moved = modConvert::ConvertData(
        source.InstallFolder, sourcePath, target, target.InstallFolder + "/" + target.DataFile,
        [&progress](int16_t value) { progress.Value(value); }, backupFolder, &keptFolder_,
        &neededBytes_);
    if (!moved) {
        return -1;
    }
    if (!backupFolder.startsWith(source.InstallFolder + "/")) {
        spareBackupFolder_ = backupFolder;
    }
    return 0;
}
