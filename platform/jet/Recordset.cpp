#include "Recordset.h"

#include <sqlcipher/sqlite3.h>

#include <optional>

#include "ColumnTypeInference.h"
#include "Connection.h"
#include "EngineError.h"
#include "FieldValue.h"
#include "ScaledCurrency.h"
#include "ServerRecords.h"
#include "Session.h"
#include "SqlLexer.h"

namespace jet {

struct Recordset::Impl {
    std::shared_ptr<Session> session;
    sqlite3_stmt* statement = nullptr;
    std::vector<FieldType> columnTypes;
    std::vector<Field> fields;
    bool scaledCurrency = false;
    bool eof = true;
    std::unique_ptr<ServerRecords> server;  // the records of a statement run on a server

    ~Impl() { finalize(); }

    void finalize() {
        server.reset();
        sqlite3_finalize(statement);
        statement = nullptr;
        session.reset();
        fields.clear();
        columnTypes.clear();
        eof = true;
    }

    // In a file of scaled currency the rewriting's types decide, so that a value kept in
    // ten-thousandths is always read as an amount: the item's own type, else the declared
    // one, else that of its alias.
    void setUpColumns(const QString& engineSql, const ScaledStatement& scaled) {
        const int count = sqlite3_column_count(statement);
        std::optional<ColumnTypeInference> inference;
        for (int i = 0; i < count; ++i) {
            Field field;
            field.name = QString::fromUtf8(sqlite3_column_name(statement, i));
            const char* declared = sqlite3_column_decltype(statement, i);
            const bool typed = scaledCurrency && scaled.typed;
            FieldType type = typed && static_cast<size_t>(i) < scaled.columns.size()
                                 ? scaled.columns[i]
                                 : adEmpty;
            if (type == adEmpty && declared) {
                type = SchemaTypes::fromDeclaredType(QString::fromUtf8(declared));
            }
            if (type == adEmpty && typed) {
                type = scaled.aliases.value(asciiLower(field.name), adEmpty);
            } else if (type == adEmpty) {
                if (!inference) {
                    Session* owner = session.get();
                    inference.emplace(engineSql,
                                      [owner]() -> const SchemaTypes& { return owner->schema(); });
                }
                type = inference->typeOf(i, field.name);
            }
            field.type = type;
            columnTypes.push_back(type);
            fields.push_back(std::move(field));
        }
    }

    // Steps to the next row; at the end the values become Empty.
    Error step() {
        const int rc = sqlite3_step(statement);
        if (rc == SQLITE_ROW) {
            for (size_t i = 0; i < fields.size(); ++i) {
                readFieldValue(statement, static_cast<int>(i), columnTypes[i], scaledCurrency,
                               fields[i]);
            }
            return {};
        }
        eof = true;
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i].type = columnTypes[i];
            fields[i].value = vb::Variant();
        }
        return rc == SQLITE_DONE ? Error{} : engineError(session->db(), rc, errExecution);
    }
};

Recordset::Recordset() : impl_(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

Recordset::Recordset(Recordset&&) noexcept = default;

Recordset& Recordset::operator=(Recordset&&) noexcept = default;

Error Recordset::open(const QString& sql, Connection& connection) {
    if (!impl_) {
        impl_ = std::make_unique<Impl>();
    }
    close();
    if (std::shared_ptr<ServerSession> server = connection.serverSession()) {
        auto records = std::make_unique<ServerRecords>();
        if (Error error = records->open(sql, server)) {
            return error;
        }
        impl_->server = std::move(records);
        return {};
    }
    std::shared_ptr<Session> session = connection.session();
    if (!session || !session->isOpen()) {
        return makeError(errNotOpen);
    }
    QString engineSql;
    ScaledStatement scaled;
    sqlite3_stmt* statement = nullptr;
    if (Error error = session->prepare(sql, statement, &engineSql, &scaled)) {
        return error;
    }
    impl_->scaledCurrency = session->scaledCurrency();
    impl_->session = std::move(session);
    impl_->statement = statement;
    impl_->setUpColumns(engineSql, scaled);
    impl_->eof = false;
    if (Error error = impl_->step()) {
        impl_->finalize();
        return error;
    }
    return {};
}

bool Recordset::isOpen() const {
    return impl_ && (impl_->statement || impl_->server);
}

bool Recordset::eof() const {
    if (isOpen() && impl_->server) {
        return impl_->server->eof();
    }
    return !isOpen() || impl_->eof;
}

Error Recordset::moveNext() {
    if (isOpen() && impl_->server) {
        return impl_->server->moveNext();
    }
    if (!isOpen() || !impl_->session->isOpen()) {
        close();
        return makeError(errNotOpen);
    }
    return impl_->eof ? Error{} : impl_->step();
}

int Recordset::fieldCount() const {
    return impl_ ? static_cast<int>(fields().size()) : 0;
}

const Field& Recordset::field(int index) const {
    static const Field none;
    if (!impl_ || index < 0 || static_cast<size_t>(index) >= fields().size()) {
        return none;
    }
    return fields()[index];
}

const std::vector<Field>& Recordset::fields() const {
    return impl_->server ? impl_->server->fields() : impl_->fields;
}

void Recordset::close() {
    if (impl_) {
        impl_->finalize();
    }
}

}  // namespace jet
