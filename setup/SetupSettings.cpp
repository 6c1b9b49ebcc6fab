#include "SetupSettings.h"

#include "core/AccessADOClass.h"
#include "core/SqlValueText.h"
#include "core/XXCommonFunctions.h"
#include "platform/runtime/RuntimeError.h"

namespace {

const char* const kBasicFields[] = {"Trade_figure",   "Unit_decimal", "Sum_decimal", "Class_flg",
                                    "SeleUnit_flg",   "Print_type",   "tax",         "Basic_Qu_fig",
                                    "Basic_Quantity", "Picture_Flg"};
const char* const kSystemTypeFields[] = {"System_id", "System_type", "premiere_flg",
                                         "premiere_data", "Basic_flg"};

const QString kBasicTable = QStringLiteral("basic_tbl");
const QString kSystemTypeTable = QStringLiteral("system_type");

// The row as SQL value texts: what the wizard keeps is written back as it was read.
vb::VariantArray AsSqlTexts(const vb::VariantArray& row) {
    vb::VariantArray texts(1, row.cols());
    for (int col = 0; col < row.cols(); ++col) {
        texts(0, col) = SqlValueText::Value(row(0, col));
    }
    return texts;
}

}  // namespace

SetupSettings::SetupSettings(const QString& dbFileName, const QString& dbPassword,
                             const QString& dbFolder)
    : dbFileName_(dbFileName),
      dbPassword_(dbPassword),
      dbFolder_(dbFolder),
      basic_(1, BasicColumns),
      systemType_(1, SystemTypeColumns),
      supportLetter_(QStringLiteral("O")) {}

int32_t SetupSettings::ReadRow(const char* const* fields, int count, const QString& table,
                               vb::VariantArray& rows) const {
    AccessADOClass access;
    access.AccessFlag(QStringLiteral("1"));
    access.DBName(dbFileName_);
    access.Password(dbPassword_);
    access.DBPath(dbFolder_);
    for (int i = 0; i < count; ++i) {
        access.AddField(QString::fromLatin1(fields[i]));
    }
    access.AddFromVerse(table);
    const int32_t result = access.Execute();
    if (result >= 0) {
        rows = access.DBInfo();
    }
    access.ExecuteClear();
    return result;
}

int32_t SetupSettings::ReadBasicTbl(vb::VariantArray& rows) const {
    return ReadRow(kBasicFields, BasicColumns, kBasicTable, rows);
}

int32_t SetupSettings::ReadSystemType(vb::VariantArray& rows) const {
    return ReadRow(kSystemTypeFields, SystemTypeColumns, kSystemTypeTable, rows);
}

int32_t SetupSettings::LoadCurrentSettings() {
    vb::VariantArray basicRows;
    int32_t result = ReadBasicTbl(basicRows);
    if (result == 0) {
        return XX共通関数::BasicDataFailed;
    }
    if (result < 0) {
        return result;
    }
    vb::VariantArray systemRows;
    result = ReadSystemType(systemRows);
    if (result == 0) {
        return XX共通関数::BasicDataFailed;
    }
    if (result < 0) {
        return result;
    }
    try {
        for (int col = 0; col < BasicColumns; ++col) {
            const vb::Variant& value = basicRows(0, col);
            basic_(0, col) =
                (col == Tax && !value.isNull()) ? vb::Variant(value.toCurrency()) : value;
        }
    } catch (const vb::RuntimeError&) {
        return XX共通関数::BasicDataFailed;
    }
    const vb::Variant& storedId = systemRows(0, SystemId);
    const QString id = storedId.isNull() ? QString() : storedId.toString().trimmed();
    supportLetter_ = id.mid(2, 1);
    for (int col = 0; col < SystemTypeColumns; ++col) {
        systemType_(0, col) = systemRows(0, col);
    }
    const vb::Variant& storedFlag = systemRows(0, BasicFlg);
    madeBefore_ = storedFlag.isNumeric() && !storedFlag.isEmpty() && storedFlag.toDouble() == 1;
    systemType_(0, BasicFlg) = int16_t{1};
    return result;
}

int16_t SetupSettings::Setting(BasicColumn column) const {
    const vb::Variant& value = basic_(0, column);
    if (!value.isNumeric()) {
        return 0;
    }
    try {
        return value.toInteger();
    } catch (const vb::RuntimeError&) {
        return 0;
    }
}

void SetupSettings::SetSetting(BasicColumn column, int16_t value) {
    basic_(0, column) = value;
}

QString SetupSettings::SupportLetterOf(bool ranking, bool lowStock) {
    if (ranking && lowStock) {
        return QStringLiteral("A");
    }
    if (ranking) {
        return QStringLiteral("R");
    }
    return lowStock ? QStringLiteral("L") : QStringLiteral("O");
}

void SetupSettings::ComposeSystemId() {
    QString id;
    id += Setting(PictureFlg) == 0 ? QLatin1Char('N') : QLatin1Char('C');
    id += Setting(PrintType) == 0 ? QLatin1Char('E') : QLatin1Char('V');
    id += supportLetter_;
    id += QStringLiteral("%1").arg(Setting(TradeFigure), 2, 10, QLatin1Char('0'));
    id += QString::number(Setting(UnitDecimal));
    id += QString::number(Setting(SumDecimal));
    id += QStringLiteral("01");
    systemType_(0, SystemId) = id;
}

QString SetupSettings::SystemIdText() const {
    const vb::Variant& id = systemType_(0, SystemId);
    return id.isNull() ? QString() : id.toString();
}

int32_t SetupSettings::SaveSettings() const {
    AccessADOClass access;
    access.DBName(dbFileName_);
    access.Password(dbPassword_);
    access.DBPath(dbFolder_);
    access.AccessFlag(QStringLiteral("11"));
    for (const char* field : kBasicFields) {
        access.AddField(QString::fromLatin1(field));
    }
    access.AddFromVerse(kBasicTable);
    access.DBInfo(AsSqlTexts(basic_));
    for (const char* field : kSystemTypeFields) {
        access.AddFieldSecond(QString::fromLatin1(field));
    }
    access.AddFromSecondVerse(kSystemTypeTable);
    access.UpdataInfo(AsSqlTexts(systemType_));
    const int32_t result = access.Execute();
    access.ExecuteClear();
    return result;
}
