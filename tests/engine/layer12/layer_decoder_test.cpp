// Layer I and II decoders on hand-built frames: frame aborts, clipping,
// silence and the equalizer under MIX.
#include "codec/layer_decoder.h"
#include "codec/tables/layer12_tables.h"
#include "frame_builder.h"
#include "iso_synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace zk {
namespace {

using test::Layer1Frame;

struct DecodedFrames {
    std::vector<int32_t> results;
    std::vector<std::vector<int16_t>> pcm;
};

// Fetches and decodes every frame of the stream with one codec state.
class Decoding {
public:
    explicit Decoding(std::vector<uint8_t> stream) : source_(std::move(stream)), reader_(source_) {}

    CodecState& codec() { return codec_; }

    DecodedFrames run(ChannelOutput output) {
        DecodedFrames frames;
        while (reader_.fetch_frame() == 0) {
            std::vector<int16_t> pcm(2304, 0x5A5A);
            FrameContext ctx{&decoder_, reader_, codec_, output, pcm.data()};
            frames.results.push_back(decode_frame(ctx));
            const int channels = output == ChannelOutput::Stereo ? 2 : 1;
            pcm.resize(size_t(reader_.header().samples_per_channel()) * channels);
            frames.pcm.push_back(std::move(pcm));
        }
        return frames;
    }

private:
    test::MemoryByteSource source_;
    BitstreamReader reader_;
    CodecState codec_;
    ZK_Decoder decoder_{};
};

DecodedFrames decode(const std::vector<uint8_t>& stream, ChannelOutput output) { return Decoding(stream).run(output); }

// A mid-level layer I stereo frame with different content per channel.
Layer1Frame busy_layer1_frame() {
    Layer1Frame f;
    for (int sb = 0; sb < 16; ++sb) {
        f.allocation[0][sb] = 3 + sb % 5;
        f.allocation[1][sb] = 2 + sb % 4;
        f.scalefactor[0][sb] = 8 + sb;
        f.scalefactor[1][sb] = 10 + sb;
        f.code[0][sb] = (sb * 5) % ((1 << (f.allocation[0][sb] + 1)) - 1);
        f.code[1][sb] = (sb * 3) % ((1 << (f.allocation[1][sb] + 1)) - 1);
    }
    f.alternate = true;
    return f;
}

std::vector<uint8_t> stream_of(std::initializer_list<std::vector<uint8_t>> frames) {
    std::vector<uint8_t> stream;
    for (const auto& frame : frames) test::append(stream, frame);
    return stream;
}

TEST(LayerFrameAbort, ForbiddenFieldsAndOverrunsAreRefusedAndTheNextFrameDecodes) {
    Layer1Frame good = busy_layer1_frame();
    Layer1Frame bad_allocation = good;
    bad_allocation.allocation[1][7] = 15;
    Layer1Frame bad_scalefactor = good;
    bad_scalefactor.scalefactor[0][3] = 63;
    Layer1Frame greedy; // claims more bits than the frame holds
    for (int sb = 0; sb < 32; ++sb) greedy.allocation[0][sb] = greedy.allocation[1][sb] = 14;

    // Layer II, 96 kbit/s stereo at 48000 Hz: 48 kbit/s per channel selects
    // the table with 8 subbands; joint stereo extension 2 puts the bound at 12.
    test::BitWriter w;
    w.put(test::mpeg1_header(2, 6, 1, ZK_MODE_JOINT_STEREO, 2), 32);
    std::vector<uint8_t> bound_beyond_limit = w.finish(288);

    DecodedFrames frames =
        decode(stream_of({good.bytes(), bad_allocation.bytes(), good.bytes(), bad_scalefactor.bytes(), good.bytes(),
                          bound_beyond_limit, test::silent_layer2_frame(), greedy.bytes(), good.bytes()}),
               ChannelOutput::Stereo);
    constexpr int32_t kBad = ZK_ERROR_INVALID_FRAME;
    EXPECT_EQ(frames.results, (std::vector<int32_t>{0, kBad, 0, kBad, 0, kBad, 0, kBad, 0}));
    // An abandoned frame leaves the synthesis alone: the good frames decode as
    // if the bad ones had never been there.
    DecodedFrames clean = decode(stream_of({good.bytes(), good.bytes(), good.bytes()}), ChannelOutput::Stereo);
    EXPECT_EQ(frames.pcm[2], clean.pcm[1]);
    EXPECT_EQ(frames.pcm[4], clean.pcm[2]);
}

// Random frame bodies behind every valid layer I and II header: each frame
// decodes or is refused with -600, never reads outside its data (the
// sanitizer builds watch that) and leaves the next frame decodable.
TEST(LayerFrameAbort, RandomBodiesUnderEveryHeader) {
    std::mt19937 random(11);
    int decoded = 0, refused = 0;
    for (uint32_t version : {1u, 0u})
        for (int layer = 1; layer <= 2; ++layer)
            for (int bitrate = 1; bitrate < 15; ++bitrate)
                for (int frequency = 0; frequency < 3; ++frequency)
                    for (int mode = 0; mode < 4; ++mode)
                        for (int extension = 0; extension < 4; ++extension) {
                            const uint32_t word =
                                (test::mpeg1_header(layer, bitrate, frequency, mode, extension) & ~(1u << 19)) |
                                version << 19;
                            FrameHeader header;
                            if (!decode_frame_header(word, header)) continue;
                            std::vector<uint8_t> stream;
                            for (int frame = 0; frame < 3; ++frame) {
                                test::BitWriter w;
                                w.put(word, 32);
                                for (int i = 4; i < header.frame_length(); ++i) w.put(random() & 0xFF, 8);
                                test::append(stream, w.finish(size_t(header.frame_length())));
                            }
                            const ChannelOutput output = header.mode == ZK_MODE_SINGLE_CHANNEL
                                                             ? ChannelOutput::Mono
                                                             : ChannelOutput(1 + (bitrate + frequency) % 4);
                            DecodedFrames frames = decode(stream, output);
                            ASSERT_EQ(frames.results.size(), 3u) << std::hex << word;
                            for (int32_t result : frames.results) {
                                ASSERT_TRUE(result == 0 || result == ZK_ERROR_INVALID_FRAME);
                                ++(result == 0 ? decoded : refused);
                            }
                        }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

// Subband 0 at the largest scalefactor and extreme codes, alternating sign:
// the sums exceed 16 bits and must stick at the rails.
TEST(LayerOutput, FullScaleClipsToTheRailsWithoutWrapping) {
    Layer1Frame loud;
    loud.mode = ZK_MODE_SINGLE_CHANNEL;
    loud.allocation[0][0] = 14;
    loud.scalefactor[0][0] = 0;
    loud.code[0][0] = 0;
    loud.alternate = true;
    DecodedFrames frames = decode(stream_of({loud.bytes(), loud.bytes()}), ChannelOutput::Mono);
    ASSERT_EQ(frames.results, (std::vector<int32_t>{0, 0}));

    test::IsoSynthesis iso;
    ASSERT_TRUE(iso.ready()) << "ISO synthesis window unreadable";
    int high = 0, low = 0;
    for (const auto& pcm : frames.pcm) {
        for (int slot = 0; slot < 12; ++slot) {
            float subbands[32] = {};
            subbands[0] = (slot % 2 ? 2.0f : -2.0f) * 32766.0f / 32767.0f; // code 0 or 32766 of 15 bits
            double expected[32];
            iso.run(subbands, expected);
            for (int j = 0; j < 32; ++j) {
                const int16_t s = pcm[slot * 32 + j];
                if (expected[j] > 32768.0) {
                    EXPECT_EQ(s, 32767);
                    ++high;
                } else if (expected[j] < -32769.0) {
                    EXPECT_EQ(s, -32768);
                    ++low;
                } else {
                    EXPECT_NEAR(s, expected[j], 1.0);
                }
            }
        }
    }
    EXPECT_GT(high, 0);
    EXPECT_GT(low, 0);
}

TEST(LayerOutput, SilentFramesGiveZerosOnceTheHistoryHasDecayed) {
    Layer1Frame silent;
    DecodedFrames layer1 =
        decode(stream_of({busy_layer1_frame().bytes(), silent.bytes(), silent.bytes()}), ChannelOutput::Stereo);
    ASSERT_EQ(layer1.pcm.size(), 3u);
    ASSERT_EQ(layer1.pcm[2].size(), 768u);
    // The loud frame leaves 15 slots of history: all 12 slots of the first
    // silent frame and 3 of the second carry its tail; then only zeros.
    EXPECT_NE(layer1.pcm[1], std::vector<int16_t>(768, 0));
    EXPECT_NE(std::vector<int16_t>(layer1.pcm[2].begin(), layer1.pcm[2].begin() + 3 * 64),
              std::vector<int16_t>(3 * 64, 0));
    EXPECT_EQ(std::vector<int16_t>(layer1.pcm[2].begin() + 3 * 64, layer1.pcm[2].end()),
              std::vector<int16_t>(768 - 3 * 64, 0));

    DecodedFrames layer2 =
        decode(stream_of({busy_layer1_frame().bytes(), test::silent_layer2_frame()}), ChannelOutput::Stereo);
    ASSERT_EQ(layer2.pcm[1].size(), 2304u);
    // 15 slots of history, two channels interleaved: everything after is 0.
    EXPECT_EQ(std::vector<int16_t>(layer2.pcm[1].begin() + 15 * 64, layer2.pcm[1].end()),
              std::vector<int16_t>(2304 - 15 * 64, 0));
}

// Scalefactor index 63 has no value in the table: the subband is silent
// instead of being scaled by whatever follows the table.
TEST(LayerOutput, Layer2ScalefactorIndex63SilencesItsSubband) {
    const tables::Layer2AllocTable& table = tables::kLayer2AllocTables[tables::kLayer2TableChoice[1][10]];
    ASSERT_GE(table.quant_class[0][(1 << table.nbal[0]) - 1], 0);
    ASSERT_EQ(tables::kLayer2QuantClasses[table.quant_class[0][(1 << table.nbal[0]) - 1]].bits, 16)
        << "the frame builder writes 16-bit samples";
    DecodedFrames loud = decode(test::layer2_frame_with_subband0(20, table.nbal), ChannelOutput::Mono);
    DecodedFrames silenced = decode(test::layer2_frame_with_subband0(63, table.nbal), ChannelOutput::Mono);
    ASSERT_EQ(loud.results, std::vector<int32_t>{0});
    ASSERT_EQ(silenced.results, std::vector<int32_t>{0});
    EXPECT_NE(loud.pcm[0], std::vector<int16_t>(1152, 0));
    EXPECT_EQ(silenced.pcm[0], std::vector<int16_t>(1152, 0));
}

// Mix synthesises the average once, with the left channel's gains.
TEST(LayerEqualizer, MixUsesTheLeftGains) {
    Layer1Frame frame = busy_layer1_frame();
    std::vector<uint8_t> stream = stream_of({frame.bytes(), frame.bytes(), frame.bytes()});
    Decoding mixed(stream);
    for (ChannelSynthesis* channel : {&mixed.codec().left, &mixed.codec().right}) {
        channel->equalizer = new float[32]; // the codec state owns and frees it
        for (int i = 0; i < 32; ++i) channel->equalizer[i] = channel == &mixed.codec().left ? 0.5f : 1.0f;
    }
    DecodedFrames half = mixed.run(ChannelOutput::Mix);
    DecodedFrames mix = decode(stream, ChannelOutput::Mix);
    int loud_samples = 0;
    for (size_t f = 0; f < mix.pcm.size(); ++f)
        for (size_t i = 0; i < mix.pcm[f].size(); ++i) {
            ASSERT_LE(std::abs(half.pcm[f][i] - mix.pcm[f][i] * 0.5), 0.7);
            loud_samples += std::abs(mix.pcm[f][i]) > 1000;
        }
    EXPECT_GT(loud_samples, 100);
}

} // namespace
} // namespace zk
