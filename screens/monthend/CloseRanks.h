#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/runtime/Currency.h"

// The dense ranks that a close stores for classes and products. The entries of a
// ranking query (a key and its value, value descending) are matched by key to the list
// of keys that get a rank: the classes that have products, or the products of the
// master list. Positive values come first (equal values share a rank), then one group of
// the zero values and the keys without movement, then the negative values. Without any
// matched entry every key gets the number of keys. Entries of keys outside the list
// (classes or products that left the masters) take no part.
class CloseRanks {
  public:
    struct Entry {
        QString key;
        vb::Currency value;
    };

    // The rank of every key, in the order of keys.
    static std::vector<int> Assign(const std::vector<Entry>& entries, const QStringList& keys);
};
