#include "XXCommonFunctions2.h"

#include "platform/registry/Registry.h"

namespace XX共通関数2 {

bool RegWriteValue(uint32_t rootKey, const QString& subKey, const QString& valueName,
                   const QString& value) {
    return registry::WriteString(rootKey, subKey, valueName, value);
}

}  // namespace XX共通関数2
