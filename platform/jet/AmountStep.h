#pragma once

#include <cstddef>

namespace jet {

// A place where the file's rewriting computes an amount that it checks for the currency
// range or rounds, or gives a value as the original engine does, so that another engine
// does the same there.
struct AmountStep {
    enum Kind {
        Checked,   // a sum, difference, negation, Sum or Abs of amounts: beyond the range
                   // it is the overflow
        Rounded,   // a product of amounts: rounded half to even to four decimals, checked
        Averaged,  // the argument of an Avg of amounts: averaged exactly, rounded once
        Read,      // a whole item of the outer select's columns, groups or order: a step
                   // there is checked as the value is read, row by row
        Truth,     // a condition read as a value: -1 when it holds, 0 when not
        Text,      // an amount read as its own text, as "12.5"
        Joined,    // texts joined by "&": a Null side gives the other side's text
        JoinMark,  // the "&" of a join, between its two sides
        Own,       // the name of a call that the other engine computes by a function of
                   // that name of its own: an IIf giving an amount's text, InStr of an amount
        Chosen,    // an IIf that gives an amount
    } kind;
    // The step's first position and the one after its last: tokens of the walk, or
    // characters of the statement once it is given out.
    size_t begin;
    size_t end;
};

}  // namespace jet
