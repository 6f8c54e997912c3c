// The track's timeline in samples per channel, as the listener hears it.
// Decoded samples count from the first audio frame; heard samples from the
// first sample of the encoder's input, which comes `lead` decoded samples
// later when the track carries its encoder delay (gapless playback). The
// timeline counts the frames fetched, says which part of each frame is
// played (nothing before a seek target or the lead, nothing past the
// track's end), and turns what the output still holds into the position
// being heard.
#pragma once

#include <cstdint>

namespace zk {

// What is known of a track when it opens; zeros when unknown.
struct TrackLayout {
    int32_t sample_rate = 0;
    int32_t samples_per_frame = 0;
    uint64_t frames = 0;      // audio frames
    int32_t lead = 0;         // decoded samples before the first heard one
    uint64_t heard_total = 0; // heard samples of the whole track
    bool trims_end = false;   // playback stops at heard_total (the encoder's padding is cut)
};

class Timeline {
public:
    struct Span {
        int32_t first = 0; // per-channel samples of the frame skipped
        int32_t count = 0; // and then played
    };

    void start(const TrackLayout& layout);
    const TrackLayout& layout() const { return layout_; }
    bool total_known() const { return layout_.heard_total > 0 && layout_.sample_rate > 0; }

    // After a seek: the next frame fetched is `frame`, and nothing before
    // heard sample `target` is played.
    void restart(uint64_t frame, uint64_t target);

    // Counts a fetched frame of that rate, length and size in bytes and says
    // what of it to play.
    Span next_frame(int32_t sample_rate, int32_t samples_per_frame, int32_t bytes);
    // The number the next frame fetched will have (0: the first).
    uint64_t next_frame_number() const { return next_frame_; }
    // The played part of the frame reached the output.
    void written(const Span& span) { written_ += static_cast<uint64_t>(span.count); }

    // The heard sample now playing, given what the output still holds; it
    // never goes back between restarts.
    uint64_t heard(uint64_t queued);
    // Decoded samples fetched since the start or the last restart, in seconds.
    double decoded_seconds() const;
    // Bytes per second of the frames fetched since the start or the last
    // restart; 0 before the first.
    double byte_rate() const;
    // True at the first frame and once for each new whole second of
    // decoded_seconds().
    bool next_second();
    int32_t sample_rate() const { return layout_.sample_rate; }

private:
    TrackLayout layout_;
    uint64_t next_frame_ = 0;
    uint64_t target_ = 0;  // first heard sample to play
    uint64_t written_ = 0; // heard sample at the end of what the output received
    uint64_t heard_ = 0;
    uint64_t frames_since_restart_ = 0;
    uint64_t bytes_since_restart_ = 0;
    int64_t seconds_seen_ = -1;
};

} // namespace zk
