#include <gtest/gtest.h>

#include "screens/monthend/CloseRanks.h"

namespace {

using vb::Currency;

struct RankCase {
    const char* name;
    std::vector<std::pair<QString, double>> entries;  // in query order
    QStringList keys;
    std::vector<int> ranks;
};

TEST(CloseRanks, DenseRanksWithTheZeroGroupAndTheLossesAfterIt) {
    const std::vector<RankCase> cases = {
        {"two unmoved after the moved",
         {{"a", 500}, {"b", 300}, {"c", 300}, {"d", 100}},
         {"a", "b", "c", "d", "e", "f"},
         {1, 2, 2, 3, 4, 4}},
        {"zero and unmoved share a rank, the loss follows",
         {{"a", 200}, {"b", 0}, {"c", -50}},
         {"a", "b", "c", "d"},
         {1, 2, 3, 2}},
        {"without a positive value the zero group is 0",
         {{"a", 0}, {"b", -10}},
         {"a", "b", "c"},
         {0, 1, 0}},
        {"losses only", {{"a", -10}, {"b", -30}}, {"a", "b"}, {1, 2}},
        {"no movement at all: the number of keys", {}, {"a", "b", "c"}, {3, 3, 3}},
        {"the fifth decimal is not seen", {{"a", 1.00001}, {"b", 1.00004}}, {"a", "b"}, {1, 1}},
        // a class that left the masters neither takes a rank nor moves the others
        {"an orphan entry is skipped",
         {{"a", 500}, {"gone", 400}, {"b", 300}, {"gone2", -5}},
         {"a", "b", "c"},
         {1, 2, 3}},
        {"only orphans: as without movement", {{"gone", 10}}, {"a", "b"}, {2, 2}},
    };
    for (const RankCase& c : cases) {
        std::vector<CloseRanks::Entry> entries;
        for (const auto& [key, value] : c.entries) {
            entries.push_back({key, Currency::fromDouble(value)});
        }
        EXPECT_EQ(CloseRanks::Assign(entries, c.keys), c.ranks) << c.name;
    }
}

}  // namespace
