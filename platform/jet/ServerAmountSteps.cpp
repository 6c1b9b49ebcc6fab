#include "ServerAmountSteps.h"

#include <map>

namespace jet {

namespace {

// An amount is in range when its count of ten-thousandths is a 64-bit integer: the cast
// fails beyond it. A product of amounts has up to eight decimals; its ten-thousandths are
// rounded half to even.
constexpr const char* kFunctions =
    "CREATE FUNCTION pg_temp.amount_checked(v numeric) RETURNS numeric"
    " LANGUAGE sql IMMUTABLE AS 'SELECT (v * 10000)::int8 * 0.0001';"
    "CREATE FUNCTION pg_temp.amount_half_even(v numeric) RETURNS numeric"
    " LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN abs(v * 10000 - trunc(v * 10000)) = 0.5"
    " AND mod(trunc(v * 10000), 2) = 0 THEN trunc(v * 10000) ELSE round(v * 10000) END"
    " * 0.0001';"
    "CREATE FUNCTION pg_temp.jet_truth(b boolean) RETURNS int4"
    " LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN b THEN -1 WHEN NOT b THEN 0 END';"
    "CREATE FUNCTION pg_temp.amount_text(v numeric) RETURNS text"
    " LANGUAGE sql IMMUTABLE AS 'SELECT trim_scale(pg_temp.amount_half_even(v))::text';"
    "CREATE FUNCTION pg_temp.jet_concat(a text, b text) RETURNS text"
    " LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN a IS NULL AND b IS NULL THEN NULL"
    " ELSE coalesce(a, '''') || coalesce(b, '''') END';"
    "CREATE FUNCTION pg_temp.iif(c boolean, a anycompatible, b anycompatible)"
    " RETURNS anycompatible LANGUAGE sql IMMUTABLE AS 'SELECT CASE WHEN c THEN a ELSE b END';"
    "CREATE FUNCTION pg_temp.instr(a text, b text) RETURNS int4"
    " LANGUAGE sql IMMUTABLE AS 'SELECT strpos(a, b)';"
    // Places are counted when the rounding is done, so that a statement without rows
    // refuses nothing.
    "CREATE FUNCTION pg_temp.round_places(p int4) RETURNS int4 LANGUAGE plpgsql STABLE AS"
    " 'BEGIN IF p < 0 THEN RAISE EXCEPTION ''negative places'' USING ERRCODE = ''22023'';"
    " END IF; RETURN p; END';";

// Whether the step is a whole item that the outer select reads.
bool isRead(const AmountStep& step, const std::vector<AmountStep>& steps) {
    for (const AmountStep& read : steps) {
        if (read.kind == AmountStep::Read && read.begin == step.begin && read.end == step.end) {
            return true;
        }
    }
    return false;
}

}  // namespace

const char* serverAmountFunctions() {
    return kFunctions;
}

QString withServerAmountSteps(QStringView jetSql, const std::vector<AmountStep>& steps) {
    if (steps.empty()) {
        return jetSql.toString();
    }
    // At one place a step that ends there closes before one that starts there opens; of
    // steps that start at one place the outer one (given later) opens first.
    std::map<size_t, QString> opens;
    std::map<size_t, QString> closes;
    std::map<size_t, size_t> skips;
    // A whole item that is read is left to the reading's check, so that the rows before
    // one beyond the range come first, as on the file; the groups and the order are
    // written as the items are, so that the server matches them.
    for (const AmountStep& step : steps) {
        switch (step.kind) {
            case AmountStep::Checked:
                if (!isRead(step, steps)) {
                    opens[step.begin].prepend(QStringLiteral("pg_temp.amount_checked("));
                    closes[step.end] += u')';
                }
                break;
            case AmountStep::Rounded:
                if (isRead(step, steps)) {
                    opens[step.begin].prepend(QStringLiteral("pg_temp.amount_half_even("));
                    closes[step.end] += u')';
                } else {
                    opens[step.begin].prepend(
                        QStringLiteral("pg_temp.amount_checked(pg_temp.amount_half_even("));
                    closes[step.end] += QStringLiteral("))");
                }
                break;
            case AmountStep::Averaged:
                opens[step.begin].prepend(u'(');
                closes[step.end] += QStringLiteral(")::numeric(38,20)");
                break;
            case AmountStep::Truth:
                opens[step.begin].prepend(QStringLiteral("pg_temp.jet_truth("));
                closes[step.end] += u')';
                break;
            case AmountStep::Text:
                opens[step.begin].prepend(QStringLiteral("pg_temp.amount_text("));
                closes[step.end] += u')';
                break;
            case AmountStep::Joined:
                opens[step.begin].prepend(QStringLiteral("pg_temp.jet_concat(("));
                closes[step.end] += QStringLiteral(")::text)");
                break;
            case AmountStep::JoinMark:
                // the "&" itself is left out
                closes[step.begin] += QStringLiteral(")::text, (");
                skips[step.begin] = step.end;
                break;
            case AmountStep::Own:
                opens[step.begin].prepend(QStringLiteral("pg_temp."));
                break;
            case AmountStep::Chosen:
                // of the type of an amount column, so that it is read as an amount; an
                // average in it is rounded half to even first
                opens[step.begin].prepend(QStringLiteral("pg_temp.amount_half_even(pg_temp."));
                closes[step.end] += QStringLiteral(")::numeric(19,4)");
                break;
            case AmountStep::Read:
                break;
        }
    }
    QString out;
    out.reserve(jetSql.size() + static_cast<qsizetype>(steps.size()) * 24);
    size_t done = 0;
    auto open = opens.begin();
    auto close = closes.begin();
    while (open != opens.end() || close != closes.end()) {
        const size_t at =
            close != closes.end() && (open == opens.end() || close->first <= open->first)
                ? close->first
                : open->first;
        out += jetSql.mid(static_cast<qsizetype>(done), static_cast<qsizetype>(at - done));
        done = at;
        if (close != closes.end() && close->first == at) {
            out += (close++)->second;
        }
        if (const auto skip = skips.find(at); skip != skips.end()) {
            done = skip->second;
        }
        if (open != opens.end() && open->first == at) {
            out += (open++)->second;
        }
    }
    out += jetSql.mid(static_cast<qsizetype>(done));
    return out;
}

}  // namespace jet
