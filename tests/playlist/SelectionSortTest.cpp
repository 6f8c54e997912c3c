#include "playlist/SelectionSort.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

namespace {

using Exchanges = std::vector<std::pair<int, int>>;

// The plain quadratic selection sort the tournament must match.
Exchanges PlainSelectionSort(std::vector<QByteArray>& keys, bool descending) {
    Exchanges exchanges;
    const int count = static_cast<int>(keys.size());
    for (int i = 0; i < count; ++i) {
        int m = i;
        for (int j = i; j < count; ++j) {
            const int order = keys[j].compare(keys[m]);
            if (descending ? order > 0 : order < 0) m = j;
        }
        exchanges.emplace_back(i, m);
        std::swap(keys[i], keys[m]);
    }
    return exchanges;
}

} // namespace

TEST(PlaylistSelectionSort, MatchesThePlainScanExchangeForExchange) {
    std::mt19937 random(12345);
    const QByteArray pieces[] = {"a", "A", "b", "ab", "", "\xc3\x84", "10", "1", "2"};
    for (int round = 0; round < 200; ++round) {
        const int count = static_cast<int>(random() % 40);
        std::vector<QByteArray> keys;
        for (int i = 0; i < count; ++i) {
            QByteArray key;
            for (int part = static_cast<int>(random() % 3); part >= 0; --part)
                key += pieces[random() % std::size(pieces)];
            keys.push_back(key);
        }
        for (bool descending : {false, true}) {
            std::vector<QByteArray> plain = keys;
            const Exchanges expected = PlainSelectionSort(plain, descending);
            std::vector<QByteArray> sorted = keys;
            Exchanges made;
            SelectionSort(sorted, descending, [&](int i, int m) { made.emplace_back(i, m); });
            ASSERT_EQ(made, expected) << "round " << round << (descending ? " descending" : " ascending");
            ASSERT_EQ(sorted, plain);
        }
    }
}
