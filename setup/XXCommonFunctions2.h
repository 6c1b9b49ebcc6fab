#pragma once

#include <QString>
#include <cstdint>

// Procedures of the setup wizard beyond the shared common procedures.
namespace XX共通関数2 {

// Writes a text value under the root key's sub-key, creating the key when it is missing.
// True when the value was written.
bool RegWriteValue(uint32_t rootKey, const QString& subKey, const QString& valueName,
                   const QString& value);

}  // namespace XX共通関数2
