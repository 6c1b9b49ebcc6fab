#include "MainModule.h"

#include "AccessADOClass.h"
#include "CommonClass.h"
#include "DatabaseCheck.h"
#include "SettingsRecord.h"
#include "XXCommonFunctions.h"
#include "platform/forms/App.h"
#include "platform/forms/MsgBox.h"

namespace MainModule {

QString DBFileName;
QString DBPassword;
QString DBFolder;
QString LayoutFolder;
bool HasCloseDate = false;
uint8_t PrintType = 0;
uint8_t TradeFigure = 0;
uint8_t UnitDecimal = 0;
uint8_t SumDecimal = 0;
uint8_t PictureFlg = 0;
QString SystemId;
vb::Date LastCloseDate;
bool BasicLoaded = false;
bool HasClassifications = false;
bool HasProducts = false;

namespace {

void Prepare(AccessADOClass& access, const QString& accessFlag) {
    access.AccessFlag(accessFlag);
    access.DBName(DBFileName);
    access.Password(DBPassword);
    access.DBPath(DBFolder);
}

// Shows a loader's failure. A missing or damaged database is the caller's to end; any
// other failure ends the program. A database of a newer release is not damaged: restoring
// an older backup over it would lose its data, so the program ends with its own message,
// as it does when a server database cannot be reached.
int32_t LoadFailed(bool newerFormat, int32_t result) {
    if (result == AccessADOClass::CannotOpen && newerFormat) {
        forms::MsgBox(QStringLiteral("DataBaseは新しい版のプログラムで作られているため、"
                                     "この版では開けません。\r\n"
                                     "新しい版のプログラムで起動してください。"),
                      forms::vbCritical, forms::App::Title());
        forms::App::End(0);
        return XX共通関数::BasicDataFailed;
    }
    // A server database that cannot be opened is not reached, not damaged: its message ends
    // the program, and no restore screen offers to put a file in its place.
    if (result == AccessADOClass::CannotOpen && AccessADOClass::InitialProvider() == 1) {
        XX共通関数::ShowErrorMessage(result, forms::App::Title(), 1);
        return XX共通関数::BasicDataFailed;
    }
    if (result == AccessADOClass::CannotOpen || result == AccessADOClass::FileNotFound) {
        XX共通関数::ShowErrorMessage(result, forms::App::Title(), 0);
        return result;
    }
    XX共通関数::ShowErrorMessage(XX共通関数::BasicDataFailed, forms::App::Title(), 1);
    return XX共通関数::BasicDataFailed;
}

int32_t LoadFailed(const AccessADOClass& access, int32_t result) {
    return LoadFailed(access.NewerFormat(), result);
}

void ClearBasicSettings() {
    TradeFigure = 0;
    UnitDecimal = 0;
    SumDecimal = 0;
    PrintType = 0;
    PictureFlg = 0;
    BasicLoaded = false;
}

}  // namespace

CommonClass& SharedCommon() {
    static CommonClass common;
    return common;
}

int32_t CheckDatabase() {
    return CheckDatabaseWithin(jet::kObjectsCheckMilliseconds);
}

int32_t CheckDatabaseWithin(qint64 milliseconds) {
    // A server database is no file: the server keeps its own schema, and the loaders find
    // out whether it can be reached.
    if (AccessADOClass::InitialProvider() == 1) {
        return 0;
    }
    bool newerFormat = false;
    const int32_t result =
        DatabaseCheck::OwnFile(DBFolder, DBFileName, DBPassword, &newerFormat, milliseconds);
    // The loaders find a missing table where they read it, as they always have.
    if (result >= 0 || result == DatabaseCheck::TableMissing) {
        return 0;
    }
    // Nothing is known of a file whose check was stopped: it is not called damaged, and no
    // restore screen offers to put an older backup in its place.
    if (result == DatabaseCheck::TimedOut) {
        forms::MsgBox(QStringLiteral("DataBaseの確認が時間内に終わりませんでした。\r\n"
                                     "しばらくしてから、もう一度起動してください。"),
                      forms::vbCritical, forms::App::Title());
        forms::App::End(0);
        return XX共通関数::BasicDataFailed;
    }
    return LoadFailed(newerFormat, result);
}

int32_t LoadSystemId() {
    AccessADOClass access;
    Prepare(access, QStringLiteral("1"));
    access.AddField(QStringLiteral("System_id"));
    access.AddFromVerse(QStringLiteral("system_type"));
    const int32_t result = access.Execute();
    if (result < 0) {
        SystemId.clear();
        return LoadFailed(access, result);
    }
    const vb::Variant id = result > 0 ? access.InfoValue(0, 0) : vb::Variant();
    SystemId = id.isNull() ? QString() : id.toString();
    return result;
}

int32_t LoadBasicSettings() {
    AccessADOClass access;
    Prepare(access, QStringLiteral("1"));
    SettingsRecord::BasicSettings settings;
    const int32_t result = SettingsRecord::ReadBasic(access, settings);
    ClearBasicSettings();
    if (result < 0) {
        return LoadFailed(access, result);
    }
    TradeFigure = settings.tradeFigure;
    UnitDecimal = settings.unitDecimal;
    SumDecimal = settings.sumDecimal;
    PrintType = settings.printType;
    PictureFlg = settings.pictureFlg;
    BasicLoaded = result > 0;
    return result;
}

int32_t LoadLastCloseDate() {
    AccessADOClass access;
    Prepare(access, QStringLiteral("8"));
    const int32_t result = SettingsRecord::ReadLastCloseDate(access, LastCloseDate);
    HasCloseDate = result > 0;
    if (result < 0) {
        return LoadFailed(access, result);
    }
    return result;
}

bool CheckMasterData(int32_t* failure) {
    AccessADOClass access;
    const auto failed = [failure, &access](int32_t result) {
        const int32_t shown = LoadFailed(access, result);
        if (failure != nullptr) {
            *failure = shown;
        }
        return false;
    };
    Prepare(access, QStringLiteral("2"));
    access.AddFromVerse(QStringLiteral("ClassifyMast_tbl"));
    const int32_t classes = access.Execute();
    if (classes < 0) {
        return failed(classes);
    }
    HasClassifications = classes > 0;
    if (!HasClassifications) {
        return false;
    }
    access.ExecuteClear();
    access.AccessFlag(QStringLiteral("2"));
    access.AddFromVerse(QStringLiteral("TradeMast_tbl"));
    const int32_t products = access.Execute();
    if (products < 0) {
        return failed(products);
    }
    HasProducts = products > 0;
    return HasProducts;
}

}  // namespace MainModule
