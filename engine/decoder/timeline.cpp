#include "decoder/timeline.h"

#include <algorithm>

namespace zk {

void Timeline::start(const TrackLayout& layout) {
    layout_ = layout;
    restart(0, 0);
}

void Timeline::restart(uint64_t frame, uint64_t target) {
    next_frame_ = frame;
    target_ = target;
    written_ = target;
    heard_ = target;
    frames_since_restart_ = 0;
    bytes_since_restart_ = 0;
    seconds_seen_ = -1;
}

Timeline::Span Timeline::next_frame(int32_t sample_rate, int32_t samples_per_frame, int32_t bytes) {
    // Streams learn their rate from the first frame.
    if (layout_.sample_rate == 0) layout_.sample_rate = sample_rate;
    if (layout_.samples_per_frame == 0) layout_.samples_per_frame = samples_per_frame;
    const uint64_t length = static_cast<uint64_t>(samples_per_frame);
    const uint64_t begin = next_frame_ * static_cast<uint64_t>(layout_.samples_per_frame);
    ++next_frame_;
    ++frames_since_restart_;
    bytes_since_restart_ += static_cast<uint64_t>(bytes > 0 ? bytes : 0);

    // The played window in decoded samples: from the target on, up to the
    // end of the track when its padding is cut. Otherwise every frame the
    // reader finds plays, whatever the index counted.
    const uint64_t lead = static_cast<uint64_t>(layout_.lead);
    const uint64_t from = std::max(begin, lead + target_);
    uint64_t to = begin + length;
    if (layout_.trims_end) to = std::min(to, lead + layout_.heard_total);
    if (to <= from) return Span{static_cast<int32_t>(length), 0};
    return Span{static_cast<int32_t>(from - begin), static_cast<int32_t>(to - from)};
}

uint64_t Timeline::heard(uint64_t queued) {
    const uint64_t now = written_ > target_ + queued ? written_ - queued : target_;
    heard_ = std::max(heard_, now);
    return heard_;
}

double Timeline::decoded_seconds() const {
    if (layout_.sample_rate <= 0) return 0;
    return double(frames_since_restart_) * layout_.samples_per_frame / layout_.sample_rate;
}

double Timeline::byte_rate() const {
    const double seconds = decoded_seconds();
    return seconds > 0 ? double(bytes_since_restart_) / seconds : 0;
}

bool Timeline::next_second() {
    const auto seconds = static_cast<int64_t>(decoded_seconds());
    if (seconds <= seconds_seen_) return false;
    seconds_seen_ = seconds;
    return true;
}

} // namespace zk
