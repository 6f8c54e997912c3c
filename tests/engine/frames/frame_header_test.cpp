#include "codec/bitstream_reader.h"
#include "codec/frame_header.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

namespace zk::test {
namespace {

bool valid(const HeaderFields& fields) {
    FrameHeader header{};
    return decode_frame_header(header_word(fields), header);
}

// 0xFFFB9264 (MPEG-1 layer III, joint stereo) is read by the probe test.
TEST(FrameHeader, SplitsTheWordIntoItsFields) {
    FrameHeader h{};
    ASSERT_TRUE(decode_frame_header(0xFFE2A10Fu, h)); // MPEG-2.5 layer III with every low bit set
    EXPECT_EQ(h.level(), ZK_LEVEL_MPEG_2_5);
    EXPECT_EQ(h.protection, 0);
    EXPECT_EQ(h.bitrate_kbps(), 96);
    EXPECT_EQ(h.frequency_hz(), 11025);
    EXPECT_EQ(h.private_bit, 1);
    EXPECT_EQ(h.copyright, 1);
    EXPECT_EQ(h.original, 1);
    EXPECT_EQ(h.emphasis, 3);
}

TEST(FrameHeader, ValidityRules) {
    const struct {
        HeaderFields fields;
        bool valid;
        const char* what;
    } cases[] = {
        {{}, true, "MPEG-1 layer III"},
        {{.bitrate_index = 15}, false, "forbidden bitrate"},
        {{.bitrate_index = 0}, true, "free format"},
        {{.layer_code = 0}, false, "reserved layer"},
        {{.frequency_index = 3}, false, "reserved frequency"},
        {{.version_bits = 1}, false, "reserved version"},
        {{.padding = 1}, true, "padding at 44100 Hz"},
        {{.frequency_index = 1, .padding = 1}, true, "padding at 48000 Hz"},
        {{.frequency_index = 2, .padding = 1}, true, "padding at 32000 Hz"},
        {{.version_bits = 2, .frequency_index = 1, .padding = 1}, true, "padding at 24000 Hz"},
        {{.version_bits = 0}, true, "MPEG-2.5 layer III"},
        {{.version_bits = 0, .layer_code = 2}, false, "MPEG-2.5 layer II"},
        {{.version_bits = 0, .layer_code = 3}, false, "MPEG-2.5 layer I"},
        // The layer II bitrate and mode limits are MPEG-1's.
        {{.version_bits = 2, .layer_code = 2, .bitrate_index = 1}, true, "MPEG-2 layer II 8 kbit/s stereo"},
        {{.layer_code = 3, .bitrate_index = 1}, true, "layer I 32 kbit/s stereo"},
        {{.layer_code = 3, .bitrate_index = 14, .mode = 3}, true, "layer I 448 kbit/s mono"},
    };
    for (const auto& c : cases) EXPECT_EQ(valid(c.fields), c.valid) << c.what;
}

TEST(FrameHeader, Layer2BitrateAndModeLimits) {
    HeaderFields s;
    s.layer_code = 2;
    for (int index = 1; index <= 14; ++index) {
        s.bitrate_index = index;
        const bool mono_only = index == 1 || index == 2 || index == 3 || index == 5;
        const bool stereo_only = index >= 11;
        for (int mode = 0; mode < 4; ++mode) {
            s.mode = mode;
            const bool expected = mode == ZK_MODE_SINGLE_CHANNEL ? !stereo_only : !mono_only;
            EXPECT_EQ(valid(s), expected) << "index " << index << " mode " << mode;
        }
    }
}

TEST(FrameHeader, LengthsSideInformationAndSampleCounts) {
    const struct {
        HeaderFields fields;
        int length, side_info, samples;
    } cases[] = {
        {{}, 417, 32, 1152}, // MPEG-1 layer III 128 kbit/s 44100 Hz
        {{.padding = 1}, 418, 32, 1152},
        {{.crc = true, .mode = 3}, 417, 19, 1152},                   // mono with CRC
        {{.version_bits = 2, .bitrate_index = 8}, 208, 17, 576},     // MPEG-2 64 kbit/s 22050 Hz
        {{.version_bits = 2, .crc = true, .mode = 3}, 261, 11, 576}, // MPEG-2 80 kbit/s mono with CRC
        {{.layer_code = 3, .bitrate_index = 12, .frequency_index = 1}, 384, 0, 384},
        {{.layer_code = 3, .bitrate_index = 1, .padding = 1}, 36, 0, 384},             // layer I pads by 4 bytes
        {{.layer_code = 2, .bitrate_index = 14, .frequency_index = 2}, 1728, 0, 1152}, // the largest frame
        {{.version_bits = 2, .layer_code = 2}, 522, 0, 1152},
        {{.version_bits = 0, .bitrate_index = 1, .frequency_index = 2}, 72, 17, 576}, // MPEG-2.5 8 kbit/s 8000 Hz
    };
    for (const auto& c : cases) {
        const FrameHeader h = decoded_header(c.fields);
        EXPECT_EQ(h.frame_length(), c.length) << std::hex << header_word(c.fields);
        if (h.layer() == 3) {
            EXPECT_EQ(h.side_info_length(), c.side_info) << std::hex << header_word(c.fields);
        }
        EXPECT_EQ(h.samples_per_channel(), c.samples) << std::hex << header_word(c.fields);
    }
}

// Every header the reader can accept fits the frame buffer, and a layer III
// frame holds its side information.
TEST(FrameHeader, EveryValidFrameFitsTheFrameBuffer) {
    int valid_headers = 0;
    for (uint32_t low = 0; low < (1u << 21); ++low) {
        FrameHeader h{};
        // Free-format lengths come from the stream; the reader bounds them.
        if (!decode_frame_header(0xFFE00000u | low, h) || h.is_free_format()) continue;
        ++valid_headers;
        const int body = h.frame_length() - 4;
        ASSERT_GT(body, 0) << std::hex << low;
        ASSERT_LE(body, BitstreamReader::kFrameBufferBytes) << std::hex << low;
        if (h.layer() == 3) {
            ASSERT_GE(body, h.side_info_length()) << std::hex << low;
        }
    }
    EXPECT_GT(valid_headers, 0);
}

TEST(FrameHeader, DerivedValuesOfRejectedHeadersAreHarmless) {
    FrameHeader h{};
    EXPECT_FALSE(decode_frame_header(0xFFE80000u, h)); // reserved version and layer
    EXPECT_EQ(h.bitrate_kbps(), 0);
    EXPECT_EQ(h.frequency_hz(), 0);
    EXPECT_EQ(h.frame_length(), 0);
    EXPECT_EQ(FrameHeader{}.frame_length(), 0);
}

TEST(FrameHeaderProbe, FillsStreamInformationOrRejects) {
    ZK_StreamInfo info{};
    info.changed = 7;
    int32_t bytes_per_second = 0;
    const uint8_t mpeg1[4] = {0xFF, 0xFB, 0x92, 0x64};
    ASSERT_TRUE(probe_frame_header(mpeg1, info, bytes_per_second));
    EXPECT_EQ(info.changed, 7);
    EXPECT_EQ(info.level, ZK_LEVEL_MPEG_1);
    EXPECT_EQ(info.layer, 3);
    EXPECT_EQ(info.bitrate, 128);
    EXPECT_EQ(info.frequency, 44100);
    EXPECT_EQ(info.mode, ZK_MODE_JOINT_STEREO);
    EXPECT_EQ(bytes_per_second, 16000);

    const uint8_t lsf[4] = {0xFF, 0xF3, 0x14, 0xC4}; // MPEG-2 layer III 8 kbit/s 24000 Hz mono
    ASSERT_TRUE(probe_frame_header(lsf, info, bytes_per_second));
    EXPECT_EQ(info.level, ZK_LEVEL_MPEG_2);
    EXPECT_EQ(info.bitrate, 8);
    EXPECT_EQ(info.frequency, 24000);
    EXPECT_EQ(info.mode, ZK_MODE_SINGLE_CHANNEL);
    EXPECT_EQ(bytes_per_second, 1000);

    ZK_StreamInfo untouched{};
    bytes_per_second = -1;
    const uint8_t no_sync[4] = {0xFE, 0xFB, 0x90, 0x64};
    const uint8_t short_sync[4] = {0xFF, 0xDB, 0x90, 0x64};
    const uint8_t id3[4] = {'I', 'D', '3', 0x03};
    const uint8_t free_format[4] = {0xFF, 0xFB, 0x00, 0x00};
    for (const uint8_t* bytes : {no_sync, short_sync, id3, free_format})
        EXPECT_FALSE(probe_frame_header(bytes, untouched, bytes_per_second));
    EXPECT_EQ(untouched.bitrate, 0);
    EXPECT_EQ(bytes_per_second, -1);
}

} // namespace
} // namespace zk::test
