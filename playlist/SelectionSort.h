#pragma once

#include <QByteArray>

#include <functional>
#include <vector>

// Selection sort of `keys` by ordinal byte comparison: for each position i
// from the top, the first key from i on that is strictly smallest (strictly
// largest when `descending`) is exchanged into position i, and
// `exchange(i, m)` is called for that exchange. The result, ties included, is
// that of the plain quadratic scan; a tournament tree finds each choice with
// O(log n) comparisons instead.
void SelectionSort(std::vector<QByteArray>& keys, bool descending, const std::function<void(int i, int m)>& exchange);
