// An information frame's seek table: where fractions of the playing time
// begin, as fractions of the stream's bytes. Points rise from (0, 0) in
// time, never fall in bytes, and the last one runs on to (1, 1); between
// points the mapping is linear.
#pragma once

#include <cstdint>

namespace zk {

class SeekTable {
public:
    static constexpr int32_t kMaxPoints = 256;

    bool empty() const { return count_ == 0; }
    int32_t size() const { return count_; }
    void clear() { count_ = 0; }
    // Appends a point; false, with the table unchanged, when it is full or
    // the point is not after the last one in time. Fractions are clamped to
    // 0 to 1 and bytes that fall are raised to the last point's.
    bool add(double time_fraction, double byte_fraction);

    // The fraction of the bytes where a fraction of the time begins, and
    // back. Fractions outside 0 to 1 are clamped; an empty table is the
    // straight line.
    double bytes_at(double time_fraction) const;
    double time_at(double byte_fraction) const;

private:
    double time_[kMaxPoints] = {};
    double bytes_[kMaxPoints] = {};
    int32_t count_ = 0;
};

} // namespace zk
