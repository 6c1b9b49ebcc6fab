#include "GridRecords.h"

#include <cstdint>

ColsTypeFlags DecodeColsType(int value) {
    const auto bits = static_cast<uint16_t>(value);
    ColsTypeFlags flags{};
    for (int i = 0; i < 7; ++i) {
        flags[i] = (bits & (1u << i)) != 0;
    }
    flags[7] = (bits >> 7) != 0;
    return flags;
}
