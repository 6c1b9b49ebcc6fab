#include "PrintDestination.h"

namespace excel {

namespace {

PrintDestination& current() {
    static PrintDestination destination;
    return destination;
}

}  // namespace

void setPrintDestination(const PrintDestination& destination) {
    current() = destination;
}

const PrintDestination& printDestination() {
    return current();
}

}  // namespace excel
