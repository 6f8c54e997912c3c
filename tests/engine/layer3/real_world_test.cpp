// Streams made by an encoder from synthesised signals (data/signals.csv,
// data/make_real_world_streams.py): the decoded output against the source
// signal, regenerated here the same way. A fit at the codec delay with the
// required signal-to-noise ratio also pins the delay and the frequencies.
#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace zk::test {
namespace {

const double kPi = std::acos(-1.0);
// The encoder's delay (576) plus the decoder's filterbank delay (529).
constexpr int kCodecDelay = 1105;

struct Signal {
    std::string name, kind;
    int rate = 0, channels = 0, frames = 0;
    double frequency = 0, amplitude = 0, min_snr_db = 0;
};

std::string data_dir() { return std::string(TAERIN_SOURCE_DIR) + "/tests/engine/layer3/data"; }

std::vector<Signal> signals() {
    std::vector<Signal> result;
    std::ifstream in(data_dir() + "/signals.csv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("name,", 0) == 0) continue;
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
        Signal s;
        s.name = f.at(0);
        s.kind = f.at(1);
        s.rate = std::stoi(f.at(2));
        s.channels = std::stoi(f.at(3));
        s.frames = static_cast<int>(std::stod(f.at(4)) * s.rate);
        s.frequency = std::stod(f.at(5));
        s.amplitude = std::stod(f.at(6));
        s.min_snr_db = std::stod(f.at(8));
        result.push_back(s);
    }
    return result;
}

uint32_t xorshift32(uint32_t state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// The source channel as 16-bit values, as the generator wrote it.
std::vector<double> source_channel(const Signal& s, int channel) {
    const double frequency = s.frequency * (1 + 0.5 * channel);
    std::vector<double> out(static_cast<size_t>(s.frames));
    uint32_t state = 12345u + static_cast<uint32_t>(channel);
    for (int n = 0; n < s.frames; ++n) {
        double value = 0;
        if (s.kind == "tone") {
            value = s.amplitude * std::sin(2 * kPi * frequency * n / s.rate);
        } else if (s.kind == "sweep") {
            const double duration = double(s.frames) / s.rate, ratio = 40.0;
            const double k = 2 * kPi * frequency * duration / std::log(ratio);
            value =
                s.amplitude * std::sin(k * (std::pow(ratio, n / double(s.rate) / duration) - 1) + kPi / 2 * channel);
        } else {
            state = xorshift32(state);
            value = 0.2 * std::sin(2 * kPi * frequency * n / s.rate);
            if (n % (s.rate * 3 / 10) < s.rate / 20) value += s.amplitude * (state / 2147483648.0 - 1.0);
        }
        out[static_cast<size_t>(n)] = std::clamp(std::floor(value * 32767 + 0.5), -32768.0, 32767.0);
    }
    return out;
}

std::vector<double> decoded_channel(const DecodedStream& stream, int channel) {
    std::vector<double> out;
    for (const DecodedFrame& frame : stream.frames) {
        const size_t step = frame.stereo ? 2 : 1;
        for (size_t i = frame.stereo ? static_cast<size_t>(channel) : 0; i < frame.samples.size(); i += step)
            out.push_back(frame.samples[i]);
    }
    return out;
}

// Level and signal-to-noise ratio of the decoded signal against the source
// over a range: the decoded signal is taken as gain x source + noise.
struct Fit {
    double gain = 0;
    double snr_db = 0;
};
Fit fit(const std::vector<double>& decoded, const std::vector<double>& source, size_t from, size_t to) {
    double cross = 0, power = 0;
    for (size_t n = from; n < to; ++n) {
        cross += decoded[n + kCodecDelay] * source[n];
        power += source[n] * source[n];
    }
    Fit f;
    f.gain = cross / power;
    double noise = 0;
    for (size_t n = from; n < to; ++n) {
        const double e = decoded[n + kCodecDelay] - f.gain * source[n];
        noise += e * e;
    }
    f.snr_db = 10 * std::log10(f.gain * f.gain * power / std::max(noise, 1e-9));
    return f;
}

void PrintTo(const Signal& signal, std::ostream* out) { *out << signal.name; }

class RealWorldStream : public ::testing::TestWithParam<Signal> {};

TEST_P(RealWorldStream, DecodesCloseToItsSource) {
    const Signal& s = GetParam();
    const DecodedStream stream = decode_file(data_dir() + "/" + s.name + ".mp3");
    EXPECT_EQ(stream.end_result, ZK_ERROR_INPUT_END);
    EXPECT_EQ(stream.invalid_frames, 0);
    ASSERT_FALSE(stream.frames.empty());
    const int per_frame = s.rate >= 32000 ? 1152 : 576;
    for (const DecodedFrame& frame : stream.frames) {
        ASSERT_EQ(frame.sample_rate, s.rate);
        ASSERT_EQ(frame.stereo, s.channels == 2 ? 1 : 0);
        ASSERT_EQ(frame.samples.size(), static_cast<size_t>(per_frame * s.channels));
    }

    for (int channel = 0; channel < s.channels; ++channel) {
        const std::vector<double> source = source_channel(s, channel);
        const std::vector<double> decoded = decoded_channel(stream, channel);
        // The whole source comes out, after the codec delay, within the
        // frame that completes it.
        EXPECT_GE(decoded.size(), source.size() + kCodecDelay);
        EXPECT_LT(decoded.size(), source.size() + kCodecDelay + 2 * per_frame);

        // The middle half: the encoder needs a few frames to settle.
        const Fit middle = fit(decoded, source, source.size() / 4, 3 * source.size() / 4);
        // The encoder keeps the level, or lowers it slightly (tones come out
        // at 0.95; noise loses what lies above its low-pass).
        EXPECT_GT(middle.gain, 0.85) << s.name << " channel " << channel;
        EXPECT_LT(middle.gain, 1.02) << s.name << " channel " << channel;
        EXPECT_GE(middle.snr_db, s.min_snr_db) << s.name << " channel " << channel;
    }
}

INSTANTIATE_TEST_SUITE_P(Streams, RealWorldStream, ::testing::ValuesIn(signals()),
                         [](const ::testing::TestParamInfo<Signal>& info) { return info.param.name; });

} // namespace
} // namespace zk::test
