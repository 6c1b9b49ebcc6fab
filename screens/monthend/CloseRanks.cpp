#include "CloseRanks.h"

#include <QHash>

std::vector<int> CloseRanks::Assign(const std::vector<Entry>& entries, const QStringList& keys) {
    QHash<QString, int> position;
    for (int i = 0; i < keys.size(); ++i) {
        position.insert(keys[i], i);
    }
    std::vector<bool> moved(keys.size(), false);
    std::vector<Entry> values;
    for (const Entry& entry : entries) {
        const auto found = position.constFind(entry.key);
        if (found == position.constEnd() || moved[*found]) {
            continue;
        }
        moved[*found] = true;
        values.push_back(entry);
    }
    std::vector<int> ranks(keys.size(), static_cast<int>(keys.size()));
    if (values.empty()) {
        return ranks;
    }
    for (int i = 0; i < keys.size(); ++i) {
        if (!moved[i]) {
            values.push_back({keys[i], vb::Currency()});
        }
    }

    int counter = 0;
    vb::Currency previous;
    std::vector<const Entry*> negatives;
    for (const Entry& entry : values) {
        if (entry.value < vb::Currency()) {
            negatives.push_back(&entry);
            continue;
        }
        if (entry.value != previous) {
            previous = entry.value;
            ++counter;
        }
        ranks[position.value(entry.key)] = counter;
    }
    previous = vb::Currency();
    for (const Entry* entry : negatives) {
        if (entry->value != previous) {
            previous = entry->value;
            ++counter;
        }
        ranks[position.value(entry->key)] = counter;
    }
    return ranks;
}
