#include "codec/seek_table.h"

#include <algorithm>

namespace zk {

namespace {

// y at x on the line through the points (xs, ys), which never fall and run
// on to (1, 1) after the last; before the first point, its y.
double interpolate(const double* xs, const double* ys, int32_t count, double x) {
    x = x > 0 ? std::min(x, 1.0) : 0.0; // NaN too
    if (count == 0) return x;
    // The last point at or before x.
    const int32_t i = static_cast<int32_t>(std::upper_bound(xs, xs + count, x) - xs) - 1;
    if (i < 0) return ys[0];
    const double x0 = xs[i], y0 = ys[i];
    const double x1 = i + 1 < count ? xs[i + 1] : 1.0, y1 = i + 1 < count ? ys[i + 1] : 1.0;
    return x1 > x0 ? y0 + (y1 - y0) * (x - x0) / (x1 - x0) : y0;
}

} // namespace

bool SeekTable::add(double time_fraction, double byte_fraction) {
    time_fraction = time_fraction > 0 ? std::min(time_fraction, 1.0) : 0.0;
    byte_fraction = byte_fraction > 0 ? std::min(byte_fraction, 1.0) : 0.0;
    if (count_ == kMaxPoints || (count_ > 0 && !(time_fraction > time_[count_ - 1]))) return false;
    if (count_ > 0) byte_fraction = std::max(byte_fraction, bytes_[count_ - 1]);
    time_[count_] = time_fraction;
    bytes_[count_] = byte_fraction;
    ++count_;
    return true;
}

double SeekTable::bytes_at(double time_fraction) const { return interpolate(time_, bytes_, count_, time_fraction); }

double SeekTable::time_at(double byte_fraction) const { return interpolate(bytes_, time_, count_, byte_fraction); }

} // namespace zk
