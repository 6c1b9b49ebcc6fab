#include "MasterDeleteCheck.h"

#include "MasterDatabase.h"
#include "core/AccessADOClass.h"
#include "core/MainModule.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "platform/forms/MsgBox.h"

namespace {

void AddKeys(AccessADOClass& access, const QStringList& keys) {
    for (const QString& key : keys) {
        access.AddWhereVerse(key);
    }
}

}  // namespace

int32_t MasterDeleteCheck::Run() const {
    const int32_t stock = StockCount();
    if (stock < 0) {
        return MasterDatabase::ShowFailure(stock, XX共通関数::DeleteCheckFailed, title);
    }
    if (stock > 0) {
        forms::MsgBox(stockMessage, forms::vbExclamation, title);
        return 0;
    }
    const int32_t uncarried = UncarriedCount();
    if (uncarried < 0) {
        return MasterDatabase::ShowFailure(uncarried, XX共通関数::DeleteCheckFailed, title);
    }
    if (uncarried > 0) {
        forms::MsgBox(carryMessage, forms::vbExclamation, title);
        return 0;
    }
    return 1;
}

int32_t MasterDeleteCheck::StockCount() const {
    if (!MainModule::HasCloseDate) {
        return 0;
    }
    AccessADOClass access;
    MasterDatabase::Configure(access);
    access.AccessFlag("2");
    access.AddFromVerse("FixDeta_tbl");
    AddKeys(access, keys);
    access.AddWhereVerse("Fix_Quantity > 0");
    access.AddWhereVerse("FixDate = " + SqlValueText::DateValue(MainModule::LastCloseDate));
    return access.Execute();
}

int32_t MasterDeleteCheck::UncarriedCount() const {
    AccessADOClass access;
    MasterDatabase::Configure(access);
    if (MainModule::HasCloseDate) {
        access.AccessFlag("8");
        access.AddField("Input_Date");
        access.AddFromVerse("Management_Tbl");
        const int32_t found = access.Execute();
        if (found <= 0) {
            return found;
        }
        const vb::Date start = MainModule::LastCloseDate.firstOfMonth().addMonths(1);
        const vb::Date end = access.InfoValue(0, 0).toDate().lastOfMonth();
        if (end <= start) {
            return 0;
        }
        access.ExecuteClear();
        AddKeys(access, keys);
        access.AddWhereVerse("Input_Date Between " + SqlValueText::DateValue(start) + " And " +
                             SqlValueText::DateValue(end));
    } else {
        AddKeys(access, keys);
    }
    access.AccessFlag("2");
    access.AddFromVerse("Management_Tbl");
    return access.Execute();
}
