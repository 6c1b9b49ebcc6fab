#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "CommonClass.h"
#include "VerseList.h"
#include "platform/runtime/Variant.h"
#include "platform/runtime/VariantArray.h"

namespace jet {
class Connection;
struct Error;
}  // namespace jet

// The one road to the database. A caller sets the database, the operation code and the
// lists of the statement (or the rows to write), calls Execute, reads the result and
// releases the object or calls ExecuteClear to run the next operation with it. Every
// Execute opens its own connection and closes it again.
class AccessADOClass {
  public:
    // Results of Execute besides row counts and the negated error numbers of a step.
    static constexpr int32_t FileNotFound = -1;
    static constexpr int32_t CannotOpen = -1000;
    static constexpr int32_t NothingWritten = -20;
    static constexpr int32_t NothingRegistered = -22;

    AccessADOClass();
    ~AccessADOClass();
    AccessADOClass(const AccessADOClass&) = delete;
    AccessADOClass& operator=(const AccessADOClass&) = delete;

    void AddField(const vb::Variant& argField);
    void AddFieldSecond(const vb::Variant& argField);
    void AddFieldThird(const vb::Variant& argField);
    // The result of the last select, maximum or minimum (empty when the select found no
    // rows), or the rows set for a write.
    vb::VariantArray DBInfo() const;
    // DBInfo moved out, leaving it empty: for a caller done with the object's result.
    vb::VariantArray TakeDBInfo();
    void ThirdDBInfo(const vb::VariantArray& argDBInfo);
    void DBInfo(const vb::VariantArray& argDBInfo);
    void UpdataInfo(const vb::VariantArray& argUpdataInfo);
    // One element of DBInfo; an index outside it raises run-time error 9.
    vb::Variant InfoValue(int16_t argRow, int16_t argCol) const;
    QString ErrDetail() const;
    // After a CannotOpen result: true when the file was written in the format of a newer
    // release of the program, so it is not damaged, only not readable by this one.
    bool NewerFormat() const;
    void AddFromVerse(const vb::Variant& argFrom);
    void AddFromSecondVerse(const vb::Variant& argFromSecond);
    void AddFromThirdVerse(const vb::Variant& argFromThird);
    void AddWhereVerse(const vb::Variant& argWhere);
    void AddWhereSecondVerse(const vb::Variant& argWhereSecond);
    void AddWhereThirdVerse(const vb::Variant& argWhere);
    void AddOrderVerse(const vb::Variant& argOrder);
    void DBName(const QString& argDBName);
    void DBPath(const QString& argDBPath);
    // "1" to "12"; a text that is not a number from 0 to 255 raises run-time error 13
    // (not a number) or 6 (out of range).
    void AccessFlag(const QString& argFlg);
    // 0 the database file; 1 the database DBName on the PostgreSQL server of this
    // machine, logging in with UserName and Password; 2 the text files of the folder
    // DBPath; any other value opens nothing.
    void Provider(int16_t argProvider);
    // Test hook: the Provider that new objects start with, 0 unless a test sets it, so
    // that the screens' own operations can run against the server.
    static int16_t& InitialProvider();
    void UserName(const QString& argUserName);
    void Password(const QString& argPassword);
    // Opens the database file for reading only ("Mode=Read;"), so that nothing about it
    // changes.
    void ReadOnly(bool argReadOnly);

    // Runs the operation of AccessFlag: a row count or 0 (1 or 0 for the maximum and
    // minimum) on success, a negative result code on failure (ErrDetail tells why).
    int32_t Execute();
    // The rows of a select (AccessFlag "1") handed one after the other to eachRow, which
    // may take the values, instead of being kept in DBInfo (left empty): the row count
    // or a negative result code as Execute gives them. eachRow returning false ends the
    // read there, with the count of the rows handed.
    using RowSink = std::function<bool(std::vector<vb::Variant>& row)>;
    int32_t ExecuteEach(const RowSink& eachRow);
    // Empties the lists, sets the operation code back to 1 and clears ErrDetail; the
    // database settings and the row arrays are kept. The result is always Empty.
    vb::Variant ExecuteClear();

  private:
    int32_t OpenConnection();
    void CloseConnection();
    int32_t RunOperation();

    int32_t Failed(const jet::Error& error);
    int32_t Failed(int32_t number, const QString& description);
    int32_t BeginTrans();
    int32_t CommitTrans();
    // Rolls the open transaction back and gives the failure's result.
    int32_t FailWith(int32_t result);

    int32_t CountStep(int list);
    int32_t DeleteStep(int list);
    int32_t InsertStep(const vb::VariantArray& rows, int fromList, int fieldList);
    int32_t UpdateStep();
    int32_t SelectStep();
    int32_t SelectStep(const RowSink& eachRow);
    int32_t AggregateStep(const QString& sql);

    int32_t InsertRows();
    int32_t UpdateInTransaction();
    int32_t UpdateAndReplace();
    int32_t Replace(int tables);
    int32_t DeleteTwoTables();

    uint8_t accessFlag_ = 1;
    QString errDetail_;
    vb::VariantArray dbInfo_;
    vb::VariantArray updataInfo_;
    vb::VariantArray thirdDBInfo_;
    std::array<VerseList, 3> fields_;
    std::array<VerseList, 3> from_;
    std::array<VerseList, 3> where_;
    VerseList order_;
    QString dbName_;
    QString dbPath_;
    int16_t provider_ = 0;
    QString userName_;
    QString password_;
    bool readOnly_ = false;
    CommonClass common_;
    std::unique_ptr<jet::Connection> connection_;
};
