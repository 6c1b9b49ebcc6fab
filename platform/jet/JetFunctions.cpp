#include "JetFunctions.h"

#include <sqlcipher/sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>

#include "ExactSum.h"

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
    return SQLITE_OK;
}

}  // namespace jet
