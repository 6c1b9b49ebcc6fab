#pragma once

#include <cstddef>

namespace jet {

// A place where the file's rewriting computes an amount that it checks for the currency
// range or rounds, so that an engine with exact numbers of any size does the same there.
struct AmountStep {
    enum Kind {
        Checked,   // a sum, difference, negation, Sum or Abs of amounts: beyond the range
                   // it is the overflow
        Rounded,   // a product of amounts: rounded half to even to four decimals, checked
        Averaged,  // the argument of an Avg of amounts: averaged exactly, rounded once
        Read,      // a whole item of the outer select's columns, groups or order: a step
                   // there is checked as the value is read, row by row
    } kind;
    // The step's first position and the one after its last: tokens of the walk, or
    // characters of the statement once it is given out.
    size_t begin;
    size_t end;
};

}  // namespace jet
