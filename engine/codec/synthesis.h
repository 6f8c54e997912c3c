// Polyphase synthesis filterbank shared by all layers, with the equalizer.
#pragma once

#include <cstdint>

namespace zk {

// How a frame's channels become output samples.
enum class ChannelOutput {
    Mono,   // single-channel stream: its one channel, stride 1
    Stereo, // left at even, right at odd positions, stride 2
    Left,   // left alone, stride 1
    Right,  // right alone, stride 1
    Mix     // (left + right) / 2 through one synthesis, stride 1
};

// Per-channel synthesis state: two windows of 16 ring positions of 17
// values, each row stored twice (at p and p + 16) so that the 16 rows from
// any position lie one after the other; the window the next vector uses, the
// ring position, and the optional equalizer gains (32 floats, one per
// subband, owned; null when off).
struct ChannelSynthesis {
    float window[2][2 * 16 * 17];
    int32_t position; // 0..15
    float* equalizer;
    int32_t current; // 0 or 1

    void reset(); // clears history (after seeks); keeps the equalizer
};

// One time slot: 32 subband samples (equalizer applied inside, in place) to
// 32 PCM samples written at out[0], out[stride], ... (16-bit units, rounded
// half to even, clipped).
void synthesize(ChannelSynthesis& channel, float subbands[32], int16_t* out, int stride);

// Both channels of one time slot at once, interleaved left first (64
// samples); the same samples as synthesize() of each with stride 2.
void synthesize_stereo(ChannelSynthesis& left, ChannelSynthesis& right, float left_subbands[32],
                       float right_subbands[32], int16_t* out);

// One time slot of a frame as the channel selection asks: Mono, Left and Mix
// synthesise through left, Right through right, Stereo through both. Mix
// averages right into left (in place) first. Writes 32 samples (64 for
// Stereo) and returns the position after them.
int16_t* synthesize_slot(ChannelOutput output, ChannelSynthesis& left, ChannelSynthesis& right, float left_subbands[32],
                         float right_subbands[32], int16_t* out);

} // namespace zk
