#include "AccessADOClass.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <utility>
#include <vector>

#include "SqlStatementText.h"
#include "platform/jet/Connection.h"
#include "platform/jet/ConnectionText.h"
#include "platform/jet/Recordset.h"
#include "platform/runtime/AppPath.h"
#include "platform/runtime/RuntimeError.h"

namespace {

const QString kFileNotFoundText = QStringLiteral("DataBaseが見つかりません。");
const QString kCannotOpenText = QStringLiteral("DataBaseが破損している可能性があります。");
const QString kNotConnectedText = QStringLiteral("DataBaseサーバーに接続できませんでした。");
const QString kNewerFormatText =
    QStringLiteral("DataBaseは新しい版のプログラムで作られているため開けません。");
const QString kNothingWrittenText = QStringLiteral("Dataの書き込みが出来ませんでした。");
const QString kNothingRegisteredText = QStringLiteral("登録できませんでした。");
const QString kDeleteFailedText = QStringLiteral("削除できませんでした。");

enum AccessFlagCode : uint8_t {
    SelectCode = 1,
    CountCode = 2,
    InsertCode = 3,
    UpdateCode = 4,
    DeleteCode = 5,
    UpdateAndReplaceCode = 6,
    ReplaceCode = 7,
    MaxCode = 8,
    MinCode = 9,
    DeleteTwoTablesCode = 10,
    ReplaceTwoTablesCode = 11,
    ReplaceThreeTablesCode = 12,
};

// A currency column comes back as a currency value; Null stays Null.
vb::Variant FieldValue(const jet::Field& field) {
    if (field.type == jet::adCurrency && !field.value.isNull() && !field.value.isEmpty()) {
        return field.value.toCurrency();
    }
    return field.value;
}

}  // namespace

AccessADOClass::AccessADOClass()
    : dbPath_(CommonClass().MidPath(vb::AppPath())), provider_(InitialProvider()) {}

int16_t& AccessADOClass::InitialProvider() {
    static int16_t provider = 0;
    return provider;
}

AccessADOClass::~AccessADOClass() = default;

void AccessADOClass::AddField(const vb::Variant& argField) {
    fields_[0].Add(argField);
}

void AccessADOClass::AddFieldSecond(const vb::Variant& argField) {
    fields_[1].Add(argField);
}

void AccessADOClass::AddFieldThird(const vb::Variant& argField) {
    fields_[2].Add(argField);
}

vb::VariantArray AccessADOClass::DBInfo() const {
    return dbInfo_;
}

vb::VariantArray AccessADOClass::TakeDBInfo() {
    return std::exchange(dbInfo_, vb::VariantArray());
}

void AccessADOClass::ThirdDBInfo(const vb::VariantArray& argDBInfo) {
    thirdDBInfo_ = argDBInfo;
}

void AccessADOClass::DBInfo(const vb::VariantArray& argDBInfo) {
    dbInfo_ = argDBInfo;
}

void AccessADOClass::UpdataInfo(const vb::VariantArray& argUpdataInfo) {
    updataInfo_ = argUpdataInfo;
}

vb::Variant AccessADOClass::InfoValue(int16_t argRow, int16_t argCol) const {
    return dbInfo_.at(argRow, argCol);
}

QString AccessADOClass::ErrDetail() const {
    return errDetail_;
}

bool AccessADOClass::NewerFormat() const {
    return errDetail_ == kNewerFormatText;
}

void AccessADOClass::AddFromVerse(const vb::Variant& argFrom) {
    from_[0].Add(argFrom);
}

void AccessADOClass::AddFromSecondVerse(const vb::Variant& argFromSecond) {
    from_[1].Add(argFromSecond);
}

void AccessADOClass::AddFromThirdVerse(const vb::Variant& argFromThird) {
    from_[2].Add(argFromThird);
}

void AccessADOClass::AddWhereVerse(const vb::Variant& argWhere) {
    where_[0].Add(argWhere);
}

void AccessADOClass::AddWhereSecondVerse(const vb::Variant& argWhereSecond) {
    where_[1].Add(argWhereSecond);
}

void AccessADOClass::AddWhereThirdVerse(const vb::Variant& argWhere) {
    where_[2].Add(argWhere);
}

void AccessADOClass::AddOrderVerse(const vb::Variant& argOrder) {
    order_.Add(argOrder);
}

void AccessADOClass::DBName(const QString& argDBName) {
    dbName_ = argDBName;
}

void AccessADOClass::DBPath(const QString& argDBPath) {
    dbPath_ = argDBPath;
}

void AccessADOClass::AccessFlag(const QString& argFlg) {
    accessFlag_ = vb::Variant(argFlg).toByte();
}

void AccessADOClass::Provider(int16_t argProvider) {
    provider_ = argProvider;
}

void AccessADOClass::UserName(const QString& argUserName) {
    userName_ = argUserName;
}

void AccessADOClass::Password(const QString& argPassword) {
    password_ = argPassword;
}

void AccessADOClass::ReadOnly(bool argReadOnly) {
    readOnly_ = argReadOnly;
}

int32_t AccessADOClass::Execute() {
    const int32_t opened = OpenConnection();
    const int32_t result = opened == 0 ? RunOperation() : opened;
    CloseConnection();
    return result;
}

int32_t AccessADOClass::ExecuteEach(const RowSink& eachRow) {
    const int32_t opened = OpenConnection();
    const int32_t result = opened != 0                 ? opened
                           : accessFlag_ == SelectCode ? SelectStep(eachRow)
                                                       : RunOperation();
    CloseConnection();
    return result;
}

vb::Variant AccessADOClass::ExecuteClear() {
    for (VerseList* list : {&fields_[0], &fields_[1], &fields_[2], &from_[0], &from_[1], &from_[2],
                            &where_[0], &where_[1], &where_[2], &order_}) {
        list->Clear();
    }
    accessFlag_ = SelectCode;
    errDetail_.clear();
    return vb::Variant();
}

int32_t AccessADOClass::OpenConnection() {
    // Any other provider leaves the connection closed; the operation fails on it.
    connection_ = std::make_unique<jet::Connection>();
    switch (provider_) {
        case 0: {
            const QString fullPath =
                common_.SearchDirectory(CommonClass::NormalFile, dbPath_, dbName_);
            if (fullPath.isEmpty()) {
                errDetail_ = kFileNotFoundText;
                return FileNotFound;
            }
            const QString connectionText =
                "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                jet::ConnectionText::quote(fullPath) +
                ";Jet OLEDB:Database Password=" + jet::ConnectionText::quote(password_) + ";" +
                (readOnly_ ? QStringLiteral("Mode=Read;") : QString());
            if (const jet::Error error = connection_->open(connectionText)) {
                // A file locked by another program is not damaged: report it as an
                // ordinary failure so that nobody is sent to restore a good database.
                if (error.number == jet::errBusy) {
                    return Failed(error);
                }
                errDetail_ =
                    error.number == jet::errNewerFormat ? kNewerFormatText : kCannotOpenText;
                return CannotOpen;
            }
            return 0;
        }
        case 1: {
            const QString connectionText = "Provider=PostgreSQL;Data Source=(local);location=" +
                                           jet::ConnectionText::quote(dbName_) + ";";
            // A server not reached, a refused login or a missing database: no damaged file.
            if (connection_->open(connectionText, userName_, password_)) {
                errDetail_ = kNotConnectedText;
                return CannotOpen;
            }
            return 0;
        }
        case 2: {
            const QString connectionText = "Driver={Microsoft Text Driver (*.txt; *.csv)};DBQ=" +
                                           jet::ConnectionText::quote(dbPath_) + ";";
            if (const jet::Error error = connection_->open(connectionText)) {
                const bool missing = error.number == jet::errFileNotFound;
                errDetail_ = missing ? kFileNotFoundText : kCannotOpenText;
                return missing ? FileNotFound : CannotOpen;
            }
            return 0;
        }
        default:
            return 0;
    }
}

void AccessADOClass::CloseConnection() {
    if (connection_) {
        connection_->close();
        connection_.reset();
    }
}

int32_t AccessADOClass::RunOperation() {
    switch (accessFlag_) {
        case SelectCode:
            return SelectStep();
        case CountCode:
            return CountStep(0);
        case InsertCode:
            return InsertRows();
        case UpdateCode:
            return UpdateInTransaction();
        case DeleteCode:
            return DeleteStep(0);
        case UpdateAndReplaceCode:
            return UpdateAndReplace();
        case ReplaceCode:
            return Replace(1);
        case MaxCode:
            return AggregateStep(SqlStatementText::Max(fields_[0], from_[0], where_[0]));
        case MinCode:
            return AggregateStep(SqlStatementText::Min(fields_[0], from_[0], where_[0]));
        case DeleteTwoTablesCode:
            return DeleteTwoTables();
        case ReplaceTwoTablesCode:
            return Replace(2);
        case ReplaceThreeTablesCode:
            return Replace(3);
        default:
            return 0;
    }
}

int32_t AccessADOClass::Failed(const jet::Error& error) {
    // Damage found while reading (a page that does not decrypt, a broken b-tree) is a
    // damaged database as much as a file that does not open.
    if (error.number == jet::errCannotOpen) {
        errDetail_ = kCannotOpenText;
        return CannotOpen;
    }
    return Failed(error.number, error.description);
}

int32_t AccessADOClass::Failed(int32_t number, const QString& description) {
    errDetail_ = description;
    return -std::abs(number);
}

int32_t AccessADOClass::BeginTrans() {
    if (const jet::Error error = connection_->beginTrans()) {
        return Failed(error);
    }
    return 0;
}

int32_t AccessADOClass::CommitTrans() {
    if (const jet::Error error = connection_->commitTrans()) {
        const int32_t result = Failed(error);
        connection_->rollbackTrans();
        return result;
    }
    return 0;
}

int32_t AccessADOClass::FailWith(int32_t result) {
    // A failed rollback leaves the transaction to the closing connection, which
    // discards it; the step's failure is what the caller needs to hear.
    connection_->rollbackTrans();
    return result;
}

int32_t AccessADOClass::CountStep(int list) {
    try {
        jet::Recordset records;
        if (const jet::Error error =
                records.open(SqlStatementText::Count(from_[list], where_[list]), *connection_)) {
            return Failed(error);
        }
        return records.eof() ? 0 : records.value(0).toLong();
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::DeleteStep(int list) {
    try {
        if (const jet::Error error =
                connection_->execute(SqlStatementText::Delete(from_[list], where_[list]))) {
            return Failed(error);
        }
        return 0;
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::InsertStep(const vb::VariantArray& rows, int fromList, int fieldList) {
    try {
        const QString table = VerseList::ItemText(from_[fromList].First());
        for (int row = 0; row < rows.rows(); ++row) {
            if (const jet::Error error = connection_->execute(
                    SqlStatementText::Insert(table, fields_[fieldList], rows, row))) {
                return Failed(error);
            }
        }
        return rows.rows();
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::UpdateStep() {
    try {
        const QString table = VerseList::ItemText(from_[0].First());
        if (const jet::Error error =
                connection_->execute(SqlStatementText::Update(table, updataInfo_, where_[0]))) {
            return Failed(error);
        }
        return 1;
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::SelectStep() {
    std::vector<vb::Variant> values;
    int cols = 0;
    const int32_t rows = SelectStep([&values, &cols](std::vector<vb::Variant>& row) {
        cols = static_cast<int>(row.size());
        std::move(row.begin(), row.end(), std::back_inserter(values));
        return true;
    });
    if (rows > 0) {
        dbInfo_ = vb::VariantArray(rows, cols, std::move(values));
    }
    return rows;
}

int32_t AccessADOClass::SelectStep(const RowSink& eachRow) {
    // The result replaces DBInfo, also when the select finds nothing.
    dbInfo_ = vb::VariantArray();
    try {
        // The select is read once, its rows handed on as they come. The count of its FROM
        // and WHERE still decides where the two can differ: its failure to prepare comes
        // first, and a select that fails or gives at most one row (an aggregate over no
        // rows gives one) counts as nothing found when the count finds nothing.
        if (const jet::Error error =
                connection_->check(SqlStatementText::Count(from_[0], where_[0]))) {
            return Failed(error);
        }
        jet::Recordset records;
        const auto failedUnlessEmpty = [this](const jet::Error& error) {
            // The count gets a connection of its own, as it had when it ran first: a
            // failed read of a damaged page can leave this one unable to read on.
            CloseConnection();
            if (const int32_t opened = OpenConnection(); opened != 0) {
                return opened;
            }
            const int32_t count = CountStep(0);
            return count < 1 ? count : Failed(error);
        };
        if (const jet::Error error = records.open(
                SqlStatementText::Select(fields_[0], from_[0], where_[0], order_), *connection_)) {
            return failedUnlessEmpty(error);
        }
        const int cols = records.fieldCount();
        std::vector<vb::Variant> row(static_cast<size_t>(cols));
        int rows = 0;
        while (!records.eof()) {
            for (int col = 0; col < cols; ++col) {
                row[static_cast<size_t>(col)] = FieldValue(records.field(col));
            }
            ++rows;
            if (!eachRow(row)) {
                break;
            }
            if (const jet::Error error = records.moveNext()) {
                return failedUnlessEmpty(error);
            }
        }
        records.close();
        const int counted = cols > 0 ? rows : 0;
        if (counted <= 1) {
            if (const int32_t count = CountStep(0); count < 1) {
                return count;
            }
        }
        return counted;
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::AggregateStep(const QString& sql) {
    dbInfo_ = vb::VariantArray();
    try {
        jet::Recordset records;
        if (const jet::Error error = records.open(sql, *connection_)) {
            return Failed(error);
        }
        const vb::Variant value = records.eof() ? vb::Variant(vb::Null) : records.value(0);
        records.close();
        dbInfo_ = vb::VariantArray(1, 1);
        dbInfo_(0, 0) = value;
        return value.isNull() || value.isEmpty() ? 0 : 1;
    } catch (const vb::RuntimeError& error) {
        return Failed(error.number(), error.description());
    }
}

int32_t AccessADOClass::InsertRows() {
    // All rows or none.
    if (const int32_t begun = BeginTrans(); begun < 0) {
        return begun;
    }
    const int32_t inserted = InsertStep(dbInfo_, 0, 0);
    if (inserted < 0) {
        return FailWith(inserted);
    }
    if (const int32_t committed = CommitTrans(); committed < 0) {
        return committed;
    }
    return inserted;
}

int32_t AccessADOClass::UpdateInTransaction() {
    const int32_t count = CountStep(0);
    if (count <= 0) {
        return count;
    }
    if (const int32_t begun = BeginTrans(); begun < 0) {
        return begun;
    }
    if (const int32_t updated = UpdateStep(); updated < 0) {
        return FailWith(updated);
    }
    return CommitTrans();
}

int32_t AccessADOClass::UpdateAndReplace() {
    const int32_t first = CountStep(0);
    if (first < 0) {
        return first;
    }
    if (const int32_t begun = BeginTrans(); begun < 0) {
        return begun;
    }
    if (first > 0) {
        if (const int32_t updated = UpdateStep(); updated < 0) {
            return FailWith(updated);
        }
    }
    const int32_t second = CountStep(1);
    if (second < 0) {
        return FailWith(second);
    }
    if (second > 0) {
        if (const int32_t deleted = DeleteStep(1); deleted < 0) {
            return FailWith(deleted);
        }
    }
    const int32_t inserted = InsertStep(dbInfo_, 1, 0);
    if (inserted == 0) {
        errDetail_ = kNothingRegisteredText;
        return FailWith(NothingRegistered);
    }
    if (inserted < 0) {
        return FailWith(inserted);
    }
    return CommitTrans();
}

int32_t AccessADOClass::Replace(int tables) {
    const int32_t first = CountStep(0);
    if (const int32_t begun = BeginTrans(); begun < 0) {
        return begun;
    }
    for (int list = 0; list < tables; ++list) {
        const int32_t count = list == 0 ? first : CountStep(list);
        if (count < 0) {
            return FailWith(count);
        }
        if (count > 0) {
            if (const int32_t deleted = DeleteStep(list); deleted < 0) {
                return FailWith(deleted);
            }
        }
    }
    const std::array<const vb::VariantArray*, 3> rows = {&dbInfo_, &updataInfo_, &thirdDBInfo_};
    for (int list = 0; list < tables; ++list) {
        const int32_t inserted = InsertStep(*rows[static_cast<size_t>(list)], list, list);
        if (inserted == 0) {
            errDetail_ = kNothingWrittenText;
            return FailWith(NothingWritten);
        }
        if (inserted < 0) {
            return FailWith(inserted);
        }
    }
    return CommitTrans();
}

int32_t AccessADOClass::DeleteTwoTables() {
    const int32_t first = CountStep(0);
    if (first < 0) {
        return first;
    }
    if (const int32_t begun = BeginTrans(); begun < 0) {
        return begun;
    }
    for (int list = 0; list < 2; ++list) {
        const int32_t count = list == 0 ? first : CountStep(list);
        if (count < 0) {
            return FailWith(count);
        }
        if (count > 0) {
            if (const int32_t deleted = DeleteStep(list); deleted < 0) {
                errDetail_ = kDeleteFailedText;
                return FailWith(deleted);
            }
        }
    }
    return CommitTrans();
}
