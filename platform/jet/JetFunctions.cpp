#include "JetFunctions.h"

#include <sqlcipher/sqlite3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <optional>

#include <QString>

#include "ExactSum.h"
#include "platform/runtime/Currency.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/RuntimeError.h"

namespace jet {

namespace {

// The engine hands out zero-filled memory per group, aligned for 8 bytes only; the state
// (which holds a 128-bit integer) is built on the first row at the next 16-byte boundary.
struct SumSlot {
    bool ready;
    ExactSum sum;
};

ExactSum* sumState(sqlite3_context* context, bool create) {
    constexpr size_t alignment = alignof(SumSlot);
    void* memory = sqlite3_aggregate_context(
        context, create ? static_cast<int>(sizeof(SumSlot) + alignment) : 0);
    if (!memory) {
        return nullptr;
    }
    const auto address = reinterpret_cast<uintptr_t>(memory);
    auto* slot = reinterpret_cast<SumSlot*>((address + alignment - 1) & ~(alignment - 1));
    if (!slot->ready) {
        new (slot) SumSlot{true, ExactSum()};
    }
    return &slot->sum;
}

void sumStep(sqlite3_context* context, int, sqlite3_value** args) {
    if (ExactSum* sum = sumState(context, true)) {
        sum->add(args[0]);
    } else {
        sqlite3_result_error_nomem(context);
    }
}

void sumFinal(sqlite3_context* context) {
    const ExactSum* sum = sumState(context, false);
    sum ? sum->resultSum(context) : ExactSum().resultSum(context);
}

void roundedAvgFinal(sqlite3_context* context) {
    const ExactSum* sum = sumState(context, false);
    sum ? sum->resultRoundedAverage(context) : ExactSum().resultRoundedAverage(context);
}

void avgFinal(sqlite3_context* context) {
    const ExactSum* sum = sumState(context, false);
    sum ? sum->resultAverage(context) : ExactSum().resultAverage(context);
}

// Last(value, key): the value of the row with the greatest key, the later row on equal
// keys; rows with a Null key count as the earliest. Null without rows.
struct LastState {
    bool seen;
    double key;
    sqlite3_value* value;
};

void lastStep(sqlite3_context* context, int, sqlite3_value** args) {
    auto* state = static_cast<LastState*>(sqlite3_aggregate_context(context, sizeof(LastState)));
    if (!state) {
        sqlite3_result_error_nomem(context);
        return;
    }
    const double key = sqlite3_value_type(args[1]) == SQLITE_NULL
                           ? -std::numeric_limits<double>::infinity()
                           : sqlite3_value_double(args[1]);
    if (state->seen && key < state->key) {
        return;
    }
    sqlite3_value* copy = sqlite3_value_dup(args[0]);
    if (!copy) {
        sqlite3_result_error_nomem(context);
        return;
    }
    sqlite3_value_free(state->value);
    *state = LastState{true, key, copy};
}

void lastFinal(sqlite3_context* context) {
    auto* state = static_cast<LastState*>(sqlite3_aggregate_context(context, 0));
    if (!state || !state->value) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_value(context, state->value);
    sqlite3_value_free(state->value);
    state->value = nullptr;
}

struct AggregateFunction {
    const char* name;
    int argumentCount;
    void (*step)(sqlite3_context*, int, sqlite3_value**);
    void (*final)(sqlite3_context*);
};

const AggregateFunction kAggregates[] = {
    {"Sum", 1, sumStep, sumFinal},
    {"Avg", 1, sumStep, avgFinal},
    {"Last", 2, lastStep, lastFinal},
    {"CurAvg", 1, sumStep, roundedAvgFinal},
};

const char* const kOverflow = "オーバーフローしました。";

// The amount a stored value of ten-thousandths stands for.
vb::Currency amountOf(sqlite3_value* value) {
    return vb::Currency::fromRaw(sqlite3_value_int64(value));
}

// CurMul(a, b): the product of two amounts, rounded half to even to ten-thousandths. A
// factor that left the whole numbers (a sum beyond the range) is an overflow.
void curMul(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    if (sqlite3_value_type(args[0]) == SQLITE_FLOAT ||
        sqlite3_value_type(args[1]) == SQLITE_FLOAT) {
        sqlite3_result_error(context, kOverflow, -1);
        return;
    }
    try {
        sqlite3_result_int64(context, (amountOf(args[0]) * amountOf(args[1])).raw());
    } catch (const vb::RuntimeError&) {
        sqlite3_result_error(context, kOverflow, -1);
    }
}

// CurScale(x): a number or a number's text as an amount in ten-thousandths, more than
// four decimals rounded half to even.
void curScale(sqlite3_context* context, int, sqlite3_value** args) {
    try {
        switch (sqlite3_value_type(args[0])) {
            case SQLITE_NULL:
                sqlite3_result_null(context);
                return;
            case SQLITE_INTEGER:
                sqlite3_result_int64(context,
                                     vb::Currency::fromInteger(sqlite3_value_int64(args[0])).raw());
                return;
            case SQLITE_FLOAT:
                sqlite3_result_int64(context,
                                     vb::Currency::fromDouble(sqlite3_value_double(args[0])).raw());
                return;
            case SQLITE_TEXT: {
                const QString text =
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(args[0])),
                                      sqlite3_value_bytes(args[0]));
                if (const std::optional<vb::Currency> amount =
                        vb::Currency::parse(text.trimmed())) {
                    sqlite3_result_int64(context, amount->raw());
                    return;
                }
                break;
            }
            default:
                break;
        }
        sqlite3_result_error(context, "型が一致しません。", -1);
    } catch (const vb::RuntimeError&) {
        sqlite3_result_error(context, kOverflow, -1);
    }
}

// CurCheck(x): an amount in ten-thousandths to be written; a value that left the whole
// numbers (a sum or difference beyond the currency range) is an overflow.
void curCheck(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_FLOAT) {
        sqlite3_result_error(context, kOverflow, -1);
    } else {
        sqlite3_result_value(context, args[0]);
    }
}

// CurAbs(x): the size of an amount in ten-thousandths; that of the least amount, and a
// value that left the whole numbers, are an overflow.
void curAbs(sqlite3_context* context, int, sqlite3_value** args) {
    switch (sqlite3_value_type(args[0])) {
        case SQLITE_NULL:
            sqlite3_result_null(context);
            return;
        case SQLITE_INTEGER: {
            const sqlite3_int64 value = sqlite3_value_int64(args[0]);
            if (value != std::numeric_limits<sqlite3_int64>::min()) {
                sqlite3_result_int64(context, value < 0 ? -value : value);
                return;
            }
            break;
        }
        default:
            break;
    }
    sqlite3_result_error(context, kOverflow, -1);
}

// CurText(x): the shortest decimal text of an amount, as "12.5" for 125000.
void curText(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray text = amountOf(args[0]).toString().toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

QString textOf(sqlite3_value* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                             sqlite3_value_bytes(value));
}

void resultText(sqlite3_context* context, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void resultRuntimeError(sqlite3_context* context, vb::ErrorNumber number) {
    const QByteArray text = vb::errorDescription(number).toUtf8();
    sqlite3_result_error(context, text.constData(), static_cast<int>(text.size()));
}

// CurRound(x, n): an amount rounded to n decimals, halves to the even neighbour on the
// exact value; more than four decimals leave it as it is, fewer than none are refused.
void curRound(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_NULL || sqlite3_value_type(args[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    if (sqlite3_value_type(args[0]) == SQLITE_FLOAT) {
        sqlite3_result_error(context, kOverflow, -1);
        return;
    }
    const double places = sqlite3_value_double(args[1]);
    if (places < 0 || places > std::numeric_limits<int>::max()) {
        resultRuntimeError(context, vb::errInvalidProcedureCall);
        return;
    }
    // the runtime reads the count of decimals as a whole number, halves to even
    const int decimals = static_cast<int>(std::nearbyint(places));
    const vb::Currency amount = amountOf(args[0]);
    try {
        sqlite3_result_int64(context,
                             decimals >= 4 ? amount.raw() : amount.roundHalfEven(decimals).raw());
    } catch (const vb::RuntimeError&) {
        sqlite3_result_error(context, kOverflow, -1);
    }
}

// CurFormat(x, pattern): an amount written by the runtime's Format.
void curFormat(sqlite3_context* context, int, sqlite3_value** args) {
    if (sqlite3_value_type(args[0]) == SQLITE_FLOAT) {
        sqlite3_result_error(context, kOverflow, -1);
        return;
    }
    const vb::Variant value = sqlite3_value_type(args[0]) == SQLITE_NULL
                                  ? vb::Variant(vb::Null)
                                  : vb::Variant(amountOf(args[0]));
    const QString pattern =
        sqlite3_value_type(args[1]) == SQLITE_NULL ? QString() : textOf(args[1]);
    try {
        resultText(context, vb::Format(value, pattern));
    } catch (const vb::RuntimeError& error) {
        resultRuntimeError(context, static_cast<vb::ErrorNumber>(error.number()));
    }
}

// JetDivisor(x): the right side of a division; a zero is the division-by-zero error, as
// the engine would otherwise give Null.
void jetDivisor(sqlite3_context* context, int, sqlite3_value** args) {
    const int type = sqlite3_value_numeric_type(args[0]);
    if ((type == SQLITE_INTEGER || type == SQLITE_FLOAT) && sqlite3_value_double(args[0]) == 0) {
        resultRuntimeError(context, vb::errDivisionByZero);
        return;
    }
    sqlite3_result_value(context, args[0]);
}

// JetConcat(a, b): a Null side gives the other side's text; Null only when both are. It
// joins the keys of every row the month's sums read: one allocation, no copy of a text
// that stands alone.
void jetConcat(sqlite3_context* context, int, sqlite3_value** args) {
    const bool leftNull = sqlite3_value_type(args[0]) == SQLITE_NULL;
    const bool rightNull = sqlite3_value_type(args[1]) == SQLITE_NULL;
    if (leftNull && rightNull) {
        sqlite3_result_null(context);
        return;
    }
    if (leftNull || rightNull) {
        sqlite3_value* const side = leftNull ? args[1] : args[0];
        if (sqlite3_value_type(side) == SQLITE_TEXT) {
            sqlite3_result_value(context, side);
        } else {
            const unsigned char* text = sqlite3_value_text(side);
            sqlite3_result_text(context, reinterpret_cast<const char*>(text),
                                sqlite3_value_bytes(side), SQLITE_TRANSIENT);
        }
        return;
    }
    const unsigned char* left = sqlite3_value_text(args[0]);
    const sqlite3_uint64 leftBytes = static_cast<sqlite3_uint64>(sqlite3_value_bytes(args[0]));
    const unsigned char* right = sqlite3_value_text(args[1]);
    const sqlite3_uint64 rightBytes = static_cast<sqlite3_uint64>(sqlite3_value_bytes(args[1]));
    char* joined = static_cast<char*>(sqlite3_malloc64(leftBytes + rightBytes + 1));
    if (joined == nullptr || (leftBytes > 0 && left == nullptr) ||
        (rightBytes > 0 && right == nullptr)) {
        sqlite3_free(joined);
        sqlite3_result_error_nomem(context);
        return;
    }
    std::memcpy(joined, left, leftBytes);
    std::memcpy(joined + leftBytes, right, rightBytes);
    joined[leftBytes + rightBytes] = '\0';
    sqlite3_result_text64(context, joined, leftBytes + rightBytes, sqlite3_free, SQLITE_UTF8);
}

struct ScalarFunction {
    const char* name;
    int argumentCount;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
};

const ScalarFunction kScalars[] = {
    {"CurAbs", 1, curAbs},       {"CurCheck", 1, curCheck},     {"CurMul", 2, curMul},
    {"CurScale", 1, curScale},   {"CurText", 1, curText},       {"CurRound", 2, curRound},
    {"CurFormat", 2, curFormat}, {"JetDivisor", 1, jetDivisor}, {"JetConcat", 2, jetConcat},
};

}  // namespace

int registerJetFunctions(sqlite3* db) {
    for (const AggregateFunction& f : kAggregates) {
        const int rc = sqlite3_create_function_v2(db, f.name, f.argumentCount,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  nullptr, f.step, f.final, nullptr);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    for (const ScalarFunction& f : kScalars) {
        const int rc = sqlite3_create_function_v2(db, f.name, f.argumentCount,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  f.function, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            return rc;
        }
    }
    return SQLITE_OK;
}

}  // namespace jet
