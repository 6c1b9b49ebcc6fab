#pragma once

#include <QHash>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

#include "AmountStep.h"
#include "Recordset.h"
#include "ScaledCurrencyRules.h"
#include "ScaledCurrencyScope.h"
#include "SqlLexer.h"

namespace jet {

class SchemaTypes;

// Reads a whole statement and writes it again with every amount in ten-thousandths.
// Each SELECT resolves its names in a scope of its own; every branch of a compound select
// is rewritten. A statement in any form not known here is not understood as a whole.
class ScaledCurrencyWalk {
  public:
    ScaledCurrencyWalk(const std::vector<SqlToken>& tokens, const SchemaTypes& schema);

    enum class Outcome { Rewritten, LeftAlone, NotUnderstood };
    // LeftAlone for a statement that changes the tables' definitions.
    Outcome rewrite();

    QString text;
    // Types of the outer SELECT's columns, a "*" expanded; adEmpty for an unknown value.
    std::vector<FieldType> columns;
    // Types of the outer SELECT's columns by their names, lower-cased.
    QHash<QString, FieldType> names;
    // The amounts the rewriting checks or rounds, inner ones before those around them.
    std::vector<AmountStep> steps;

  private:
    using Scope = ScaledCurrencyScope;
    using Column = ScaledCurrencyScope::Column;
    struct Item {
        ScaledExpr value;
        QString alias;                // " AS name" as written
        std::vector<Column> columns;  // one for a value, those of the tables for a "*"
        bool star = false;
        QString text() const;
    };
    struct Core {
        Core(const SchemaTypes& schema, const Scope* outer) : scope(schema, outer) {}
        QString head;
        std::vector<Item> items;
        QString tail;
        Scope scope;
    };
    struct Query {
        QString text;
        std::vector<Column> columns;
    };

    const SqlToken* peek(size_t ahead = 0) const;
    bool atWord(QStringView word, size_t ahead = 0) const;
    bool atSymbol(QStringView symbol, size_t ahead = 0) const;
    bool atName(size_t ahead = 0) const;
    QString take();
    void expectWord(QStringView word);
    void expectSymbol(QStringView symbol);
    QString dottedName(QString* qualifier = nullptr, QString* last = nullptr);
    QString aliasAfter(QString* name);

    Query query(const Scope* outer);
    Core core(const Scope* outer);
    size_t fromPosition() const;
    void itemList(Core& core);
    std::vector<Column> combined(std::vector<Core>& cores) const;
    QString orderList(bool directions);
    QString fromList(Scope& scope);
    QString fromItem(Scope& scope);
    ScaledExpr column(const QString& qualifier, const QString& name, const QString& text) const;
    ScaledExpr condition(size_t start, const QString& text) const;
    ScaledExpr value(const ScaledExpr& expr);

    QString insert();
    QString update();
    QString remove();
    QString valueFor(const QString& table, const QString& column, const ScaledExpr& value) const;
    Scope tableScope(const QString& table) const;

    ScaledExpr expression();
    ScaledExpr conjunction();
    ScaledExpr negation();
    ScaledExpr comparison();
    QString inList(ScaledExpr& left);
    ScaledExpr concatenation();
    ScaledExpr sum();
    ScaledExpr product();
    ScaledExpr unary();
    ScaledExpr primary();
    ScaledExpr call();
    std::optional<ScaledExpr> amountCall(const QString& name, const QString& lower,
                                         const std::vector<ScaledExpr>& args,
                                         const std::vector<std::pair<size_t, size_t>>& spans);
    ScaledExpr choice(const QString& head, const std::vector<ScaledExpr>& args);
    void noteChoice(size_t name, const ScaledExpr& result, const std::vector<ScaledExpr>& args,
                    const std::vector<std::pair<size_t, size_t>>& spans);

    const std::vector<SqlToken>& tokens_;
    const SchemaTypes& schema_;
    const Scope* scope_ = nullptr;
    size_t pos_ = 0;
    // How many selects the walk is inside.
    int depth_ = 0;
};

}  // namespace jet
