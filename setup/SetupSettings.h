#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/VariantArray.h"

// The two settings rows that the setup wizard reads, edits and writes back: the basic
// settings of basic_tbl and the system code row of system_type. Columns the wizard does
// not edit are carried through as they were read.
class SetupSettings {
  public:
    // The columns of basic_tbl in table order.
    enum BasicColumn : int {
        TradeFigure = 0,
        UnitDecimal,
        SumDecimal,
        ClassFlg,
        SeleUnitFlg,
        PrintType,
        Tax,
        BasicQuFig,
        BasicQuantity,
        PictureFlg,
        BasicColumns
    };
    // The columns of system_type in table order.
    enum SystemTypeColumn : int {
        SystemId = 0,
        SystemType,
        PremiereFlg,
        PremiereData,
        BasicFlg,
        SystemTypeColumns
    };

    SetupSettings(const QString& dbFileName, const QString& dbPassword, const QString& dbFolder);

    // The stored row of each table, or Execute's failure code.
    int32_t ReadBasicTbl(vb::VariantArray& rows) const;
    int32_t ReadSystemType(vb::VariantArray& rows) const;

    // Reads both rows and sets Basic_flg to 1. A failed read gives its code; a table
    // without a row gives -503 (basic data not read).
    int32_t LoadCurrentSettings();
    // The stored Basic_flg was 1: the settings were made before.
    bool MadeBefore() const { return madeBefore_; }

    // An edited basic setting as a small number (0 for a value that is Null or no number).
    int16_t Setting(BasicColumn column) const;
    void SetSetting(BasicColumn column, int16_t value);
    const vb::VariantArray& SystemTypeRow() const { return systemType_; }

    // "O" none, "R" the ranking, "L" the low-stock list, "A" both.
    QString SupportLetter() const { return supportLetter_; }
    void SetSupportLetter(const QString& letter) { supportLetter_ = letter; }
    static QString SupportLetterOf(bool ranking, bool lowStock);

    // Sets System_id from the current choices (nine characters).
    void ComposeSystemId();
    QString SystemIdText() const;

    // Replaces both rows in one transaction: 0 or more on success, else a negative code.
    int32_t SaveSettings() const;

  private:
    int32_t ReadRow(const char* const* fields, int count, const QString& table,
                    vb::VariantArray& rows) const;

    QString dbFileName_;
    QString dbPassword_;
    QString dbFolder_;
    vb::VariantArray basic_;
    vb::VariantArray systemType_;
    QString supportLetter_;
    bool madeBefore_ = false;
};
