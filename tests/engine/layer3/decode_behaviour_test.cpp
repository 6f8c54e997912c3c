// Whole layer III frames through the public interface, written by the test
// from chosen spectra: MPEG-2 intensity stereo against equivalent left/right
// frames, channel selections, frames given up, the reservoir at the start,
// escapes; damaged conformance streams.
#include "engine/layer3/huffman_code_book.h"
#include "engine/layer3/layer3_stream_writer.h"
#include "engine/support/conformance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

namespace zk::test {
namespace {

constexpr int kGain = 170;

std::vector<int> random_values(unsigned seed, int lines, int largest = 4) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-largest, largest);
    std::vector<int> values(static_cast<size_t>(lines));
    for (int& v : values) v = value(random);
    return values;
}

ChannelData channel(std::vector<int> values, int global_gain = kGain) {
    ChannelData c;
    c.values = std::move(values);
    c.global_gain = global_gain;
    return c;
}

// Frames whose granules and channels come from make(frame, granule, channel).
template <class Make>
std::vector<FrameData> frames(int count, int mode, int mode_extension, Make make, bool mpeg1 = true) {
    std::vector<FrameData> result(static_cast<size_t>(count));
    for (int f = 0; f < count; ++f) {
        FrameData& frame = result[static_cast<size_t>(f)];
        frame.mpeg1 = mpeg1;
        frame.mode = mode;
        frame.mode_extension = mode_extension;
        for (int gr = 0; gr < (mpeg1 ? 2 : 1); ++gr)
            for (int ch = 0; ch < 2; ++ch) frame.channel[gr][ch] = make(f, gr, ch);
    }
    return result;
}

int seed(int frame, int granule) { return 100 * frame + granule; }

std::vector<int16_t> all_samples(const DecodedStream& stream) {
    std::vector<int16_t> samples;
    for (const DecodedFrame& frame : stream.frames)
        samples.insert(samples.end(), frame.samples.begin(), frame.samples.end());
    return samples;
}

int max_difference(const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    EXPECT_EQ(a.size(), b.size());
    int largest = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

double energy(const std::vector<int16_t>& samples) {
    double sum = 0;
    for (int16_t s : samples) sum += double(s) * s;
    return sum;
}

class Layer3StreamTest : public ::testing::Test {
protected:
    void SetUp() override {
        book_ = HuffmanCodeBook::load();
        ASSERT_FALSE(book_.empty()) << "ISO Huffman code words unreadable";
    }
    DecodedStream decode(const std::vector<FrameData>& data, int channels = ZK_OUTPUT_CHANNELS_STEREO) {
        return decode_bytes(write_layer3_stream(book_, data), channels);
    }
    std::vector<int16_t> decode_samples(const std::vector<FrameData>& data, int channels = ZK_OUTPUT_CHANNELS_STEREO) {
        DecodedStream stream = decode(data, channels);
        EXPECT_EQ(stream.end_result, ZK_ERROR_INPUT_END);
        EXPECT_EQ(stream.invalid_frames, 0);
        EXPECT_EQ(stream.frames.size(), data.size());
        return all_samples(stream);
    }
    HuffmanCodeBook book_;
};

TEST_F(Layer3StreamTest, ChannelSelectionsTakeTheirChannels) {
    const auto data =
        frames(3, 0, 0, [](int f, int gr, int ch) { return channel(random_values(seed(f, gr) + 7 * ch, 400, 6)); });
    const std::vector<int16_t> stereo = decode_samples(data);
    std::vector<int16_t> left, right;
    for (size_t i = 0; i < stereo.size(); i += 2) {
        left.push_back(stereo[i]);
        right.push_back(stereo[i + 1]);
    }
    DecodedStream left_only = decode(data, ZK_OUTPUT_CHANNELS_LEFT);
    ASSERT_EQ(left_only.frames.size(), 3u);
    EXPECT_EQ(left_only.frames[0].samples.size(), 1152u);
    EXPECT_EQ(left_only.frames[0].stereo, 0);
    EXPECT_EQ(all_samples(left_only), left);
    EXPECT_EQ(decode_samples(data, ZK_OUTPUT_CHANNELS_RIGHT), right);
    // MIX averages before one synthesis: within rounding of the two outputs.
    const std::vector<int16_t> mix = decode_samples(data, ZK_OUTPUT_CHANNELS_MIX);
    ASSERT_EQ(mix.size(), left.size());
    for (size_t i = 0; i < mix.size(); ++i) ASSERT_LE(std::abs(2 * mix[i] - (left[i] + right[i])), 2) << i;
}

TEST_F(Layer3StreamTest, Mpeg2IntensityPositionsAndScale) {
    struct Case {
        int position;
        int scale;
        int left_gain_steps; // left = channel 0 at gain + steps (or silent)
        int right_gain_steps;
        bool right_silent;
        bool exact;
    };
    // Scale 0: factor 2^-1/4 per step; scale 1: 2^-1/2 per step. Odd
    // positions scale the left channel, even ones the right.
    for (const Case& c : {Case{2, 0, 0, -1, false, false}, Case{3, 1, -4, 0, false, true},
                          Case{0, 0, 0, 0, false, true}, Case{7, 0, 0, 0, true, true}}) {
        const auto intensity = frames(
            3, 1, 1,
            [&](int f, int, int ch) {
                if (ch == 0) return channel(random_values(seed(f, 0), 300));
                ChannelData d = channel({});
                d.scalefac_compress = 2 * 129 + c.scale; // slen 3, 3, 3 over 7, 7, 7 bands
                for (int band = 0; band < 21; ++band) d.scalefactors.emplace_back(c.position, 3);
                return d;
            },
            false);
        const auto left_right = frames(
            3, 0, 0,
            [&](int f, int, int ch) {
                if (ch == 1 && c.right_silent) return channel({});
                return channel(random_values(seed(f, 0), 300),
                               kGain + (ch == 0 ? c.left_gain_steps : c.right_gain_steps));
            },
            false);
        const int difference = max_difference(decode_samples(intensity), decode_samples(left_right));
        EXPECT_LE(difference, c.exact ? 0 : 1) << "position " << c.position << " scale " << c.scale;
    }
}

TEST_F(Layer3StreamTest, InvalidFramesAreGivenUpAndTheNextDecodes) {
    auto make = [](int f, int gr, int ch) { return channel(random_values(seed(f, gr) + ch, 300)); };
    std::vector<FrameData> without = frames(5, 0, 0, make);
    without.erase(without.begin() + 2);
    const std::vector<int16_t> expected = decode_samples(without);

    // big_values past 576 lines, big_values past part2_3_length, a table
    // that does not exist (side information only: nothing is coded with it).
    for (const auto& [big_values, table] : {std::pair{289, 15}, std::pair{250, 15}, std::pair{10, 4}}) {
        std::vector<FrameData> data = frames(5, 0, 0, make);
        ChannelData& c = data[2].channel[1][0];
        c.big_values_override = big_values;
        c.table = table;
        if (table == 4) c.values = {};
        const DecodedStream stream = decode(data);
        EXPECT_EQ(stream.invalid_frames, 1) << "big_values " << big_values << " table " << table;
        EXPECT_EQ(stream.end_result, ZK_ERROR_INPUT_END);
        EXPECT_EQ(all_samples(stream), expected) << "big_values " << big_values << " table " << table;
    }
}

TEST_F(Layer3StreamTest, LargestEscapeValueRequantises) {
    // One line, coded with 13 linbits: 8206 = 15 + 8191. Output scales with
    // |v|^(4/3), so 8206 against 4103 gives 2^(4/3) in amplitude.
    auto stream_with = [&](int value) {
        return frames(2, 3, 0, [=](int, int, int) {
            std::vector<int> values(6, 0);
            values[5] = value;
            ChannelData c = channel(values, 128);
            c.table = 31;
            return c;
        });
    };
    const std::vector<int16_t> largest = decode_samples(stream_with(8206));
    const std::vector<int16_t> half = decode_samples(stream_with(4103));
    ASSERT_GT(energy(half), 0.0);
    EXPECT_NEAR(std::sqrt(energy(largest) / energy(half)), std::pow(2.0, 4.0 / 3.0), 0.01);
}

TEST(Layer3DamagedStreams, DecodeToTheEndWithoutLeavingTheirBuffers) {
    std::mt19937 random(21);
    for (const char* name : {"layer3/l3-he_mode.bit", "layer3/l3-si_huff.bit", "mpeg2/M2L3_bitrate_22_all.bit"}) {
        const std::vector<uint8_t> original = read_file(conformance_dir() + "/" + name);
        ASSERT_FALSE(original.empty()) << name;
        for (int spacing : {7, 60, 400}) {
            std::vector<uint8_t> damaged = original;
            std::uniform_int_distribution<size_t> gap(1, static_cast<size_t>(2 * spacing));
            for (size_t i = gap(random); i < damaged.size(); i += gap(random))
                damaged[i] = static_cast<uint8_t>(random());
            for (int channels : {ZK_OUTPUT_CHANNELS_STEREO, ZK_OUTPUT_CHANNELS_MIX}) {
                const DecodedStream stream = decode_bytes(damaged, channels);
                EXPECT_EQ(stream.end_result, ZK_ERROR_INPUT_END) << name << " spacing " << spacing;
                for (const DecodedFrame& frame : stream.frames) {
                    const size_t per_channel = frame.samples.size() / (frame.stereo ? 2 : 1);
                    EXPECT_TRUE(per_channel == 1152 || per_channel == 576 || per_channel == 384)
                        << name << " spacing " << spacing;
                }
            }
        }
    }
}

} // namespace
} // namespace zk::test
