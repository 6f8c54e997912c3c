#include "playlist/SelectionSort.h"

#include <utility>

namespace {

// Each node holds the position of the first best key among the leaves below
// it, or -1 when none of them is still to be placed.
class TTournament {
public:
    TTournament(const std::vector<QByteArray>& keys, bool descending) : keys_(keys), descending_(descending) {
        const int count = static_cast<int>(keys.size());
        while (leaves_ < count) leaves_ *= 2;
        nodes_.assign(2 * static_cast<size_t>(leaves_), -1);
        for (int p = 0; p < count; ++p) nodes_[leaves_ + p] = p;
        for (int node = leaves_ - 1; node >= 1; --node) nodes_[node] = Better(nodes_[2 * node], nodes_[2 * node + 1]);
    }

    int Best() const { return nodes_[1]; }

    // Position `p` is placed and leaves the contest.
    void Remove(int p) { Set(p, -1); }
    // The key at position `p` changed.
    void Update(int p) { Set(p, p); }

private:
    // The left one wins ties, so that the earlier position is chosen.
    int Better(int left, int right) const {
        if (left < 0 || right < 0) return left < 0 ? right : left;
        const int order = keys_[right].compare(keys_[left]);
        return (descending_ ? order > 0 : order < 0) ? right : left;
    }

    void Set(int p, int value) {
        size_t node = leaves_ + p;
        nodes_[node] = value;
        for (node /= 2; node >= 1; node /= 2) nodes_[node] = Better(nodes_[2 * node], nodes_[2 * node + 1]);
    }

    const std::vector<QByteArray>& keys_;
    bool descending_;
    int leaves_ = 1;
    std::vector<int> nodes_;
};

} // namespace

void SelectionSort(std::vector<QByteArray>& keys, bool descending, const std::function<void(int i, int m)>& exchange) {
    TTournament tournament(keys, descending);
    const int count = static_cast<int>(keys.size());
    for (int i = 0; i < count; ++i) {
        const int m = tournament.Best();
        exchange(i, m);
        std::swap(keys[i], keys[m]);
        tournament.Remove(i);
        if (m != i) tournament.Update(m);
    }
}
