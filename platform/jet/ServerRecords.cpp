#include "ServerRecords.h"

#include <libpq-fe.h>

#include <optional>

#include "ColumnTypeInference.h"
#include "EngineError.h"
#include "JetSqlTranslator.h"
#include "ServerFieldValue.h"

namespace jet {

Error ServerRecords::open(const QString& jetSql, const std::shared_ptr<ServerSession>& session) {
    if (!session || !session->isOpen()) {
        return makeError(errNotOpen);
    }
    if (Error error = session->query(jetSql, result_)) {
        return error;
    }
    session_ = session;
    rowCount_ = PQntuples(result_.get());
    row_ = 0;
    setUpColumns(jetSql);
    return readRow();
}

Error ServerRecords::moveNext() {
    if (eof()) {
        return {};
    }
    if (!session_->isOpen()) {
        row_ = rowCount_;
        readRow();
        return makeError(errNotOpen);
    }
    ++row_;
    return readRow();
}

void ServerRecords::setUpColumns(const QString& jetSql) {
    std::optional<ColumnTypeInference> inference;
    const int count = PQnfields(result_.get());
    for (int i = 0; i < count; ++i) {
        Field field;
        field.name = QString::fromUtf8(PQfname(result_.get(), i));
        const unsigned int oid = PQftype(result_.get(), i);
        FieldType type = serverFieldType(oid, PQfmod(result_.get(), i));
        if (type == adEmpty) {
            // The inference reads the statement as the file's engine gets it.
            if (!inference) {
                ServerSession* owner = session_.get();
                inference.emplace(translateJetSql(jetSql),
                                  [owner]() -> const SchemaTypes& { return owner->schema(); });
            }
            type = inference->typeOf(i, field.name);
        }
        field.type = type;
        typeOids_.push_back(oid);
        columnTypes_.push_back(type);
        fields_.push_back(std::move(field));
    }
}

// At the end the values become Empty. A value that cannot be read (an amount beyond the
// range) ends the records, as a failing step ends them on the file.
Error ServerRecords::readRow() {
    for (size_t i = 0; i < fields_.size(); ++i) {
        const int column = static_cast<int>(i);
        if (eof()) {
            fields_[i].type = columnTypes_[i];
            fields_[i].value = vb::Variant();
        } else if (Error error = readServerValue(PQgetvalue(result_.get(), row_, column),
                                                 PQgetisnull(result_.get(), row_, column) != 0,
                                                 typeOids_[i], columnTypes_[i], fields_[i])) {
            row_ = rowCount_;
            readRow();
            return error;
        }
    }
    return {};
}

}  // namespace jet
