#include "codec/bitstream_reader.h"
#include "codec/frame_header.h"
#include "stream_builder.h"
#include "zelkor.h"

#include <gtest/gtest.h>

namespace zk::test {
namespace {

bool valid(const HeaderSpec& fields) {
    FrameHeader header{};
    return decode_frame_header(header_word(fields), header);
}

TEST(FrameHeader, SplitsTheWordIntoItsFields) {
    FrameHeader h{};
    ASSERT_TRUE(decode_frame_header(0xFFFB9264u, h)); // + padding, joint stereo, ext 2, original
    EXPECT_EQ(h.version_id, 1);
    EXPECT_EQ(h.layer_code, 1);
    EXPECT_EQ(h.protection, 1);
    EXPECT_EQ(h.bitrate_index, 9);
    EXPECT_EQ(h.frequency_index, 0);
    EXPECT_EQ(h.padding, 1);
    EXPECT_EQ(h.private_bit, 0);
    EXPECT_EQ(h.mode, ZK_MODE_JOINT_STEREO);
    EXPECT_EQ(h.mode_extension, 2);
    EXPECT_EQ(h.copyright, 0);
    EXPECT_EQ(h.original, 1);
    EXPECT_EQ(h.emphasis, 0);
    EXPECT_EQ(h.layer(), 3);
    EXPECT_EQ(h.level(), ZK_LEVEL_MPEG_1);
    EXPECT_EQ(h.bitrate_kbps(), 128);
    EXPECT_EQ(h.frequency_hz(), 44100);
    EXPECT_EQ(h.channels(), 2);

    ASSERT_TRUE(decode_frame_header(0xFFE2A10Fu, h)); // MPEG-2.5 layer III with every low bit set
    EXPECT_EQ(h.version_id, 2);
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
    const HeaderSpec base;
    EXPECT_TRUE(valid(base));

    HeaderSpec s = base;
    s.bitrate_index = 15;
    EXPECT_FALSE(valid(s)) << "forbidden bitrate";
    s.bitrate_index = 0;
    EXPECT_FALSE(valid(s)) << "free format";

    s = base;
    s.layer_code = 0;
    EXPECT_FALSE(valid(s)) << "reserved layer";
    s = base;
    s.frequency_index = 3;
    EXPECT_FALSE(valid(s)) << "reserved frequency";
    s = base;
    s.version_bits = 1;
    EXPECT_FALSE(valid(s)) << "reserved version";

    s = base;
    s.padding = 1;
    EXPECT_TRUE(valid(s)) << "padding at 44100 Hz";
    s.frequency_index = 1;
    EXPECT_FALSE(valid(s)) << "padding at 48000 Hz";
    s.frequency_index = 2;
    EXPECT_FALSE(valid(s)) << "padding at 32000 Hz";
    s.version_bits = 2;
    s.frequency_index = 0;
    EXPECT_TRUE(valid(s)) << "padding at 22050 Hz";
    s.frequency_index = 1;
    EXPECT_FALSE(valid(s)) << "padding at 24000 Hz";

    s = base;
    s.version_bits = 0;
    EXPECT_TRUE(valid(s)) << "MPEG-2.5 layer III";
    s.layer_code = 2;
    EXPECT_FALSE(valid(s)) << "MPEG-2.5 layer II";
    s.layer_code = 3;
    EXPECT_FALSE(valid(s)) << "MPEG-2.5 layer I";
}

TEST(FrameHeader, Layer2BitrateAndModeLimits) {
    HeaderSpec s;
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
    // The limits are MPEG-1's: MPEG-2 layer II and the other layers take every rate.
    s.version_bits = 2;
    s.bitrate_index = 1;
    s.mode = ZK_MODE_STEREO;
    EXPECT_TRUE(valid(s));
    s.version_bits = 3;
    s.layer_code = 1;
    EXPECT_TRUE(valid(s));
    s.bitrate_index = 14;
    s.mode = ZK_MODE_SINGLE_CHANNEL;
    EXPECT_TRUE(valid(s));
}

TEST(FrameHeader, FrameLengths) {
    HeaderSpec s; // MPEG-1 layer III 128 kbit/s 44100 Hz
    EXPECT_EQ(decoded_header(s).frame_length(), 417);
    s.padding = 1;
    EXPECT_EQ(decoded_header(s).frame_length(), 418);

    s = HeaderSpec{};
    s.version_bits = 2;
    s.bitrate_index = 8; // MPEG-2 layer III 64 kbit/s 22050 Hz
    EXPECT_EQ(decoded_header(s).frame_length(), 208);

    s = HeaderSpec{};
    s.layer_code = 3;
    s.bitrate_index = 12;
    s.frequency_index = 1; // layer I 384 kbit/s 48000 Hz
    EXPECT_EQ(decoded_header(s).frame_length(), 384);
    s.bitrate_index = 1;
    s.frequency_index = 0;
    s.padding = 1; // layer I pads by a 4-byte slot: (8 + 1) * 4
    EXPECT_EQ(decoded_header(s).frame_length(), 36);

    s = HeaderSpec{};
    s.layer_code = 2;
    s.bitrate_index = 14;
    s.frequency_index = 2; // layer II 384 kbit/s 32000 Hz, the largest frame
    EXPECT_EQ(decoded_header(s).frame_length(), 1728);

    s = HeaderSpec{};
    s.version_bits = 0;
    s.bitrate_index = 1;
    s.frequency_index = 2; // MPEG-2.5 layer III 8 kbit/s 8000 Hz
    EXPECT_EQ(decoded_header(s).frame_length(), 72);
}

TEST(FrameHeader, SideInformationAndSampleCounts) {
    HeaderSpec s;
    EXPECT_EQ(decoded_header(s).side_info_length(), 32);
    s.mode = ZK_MODE_SINGLE_CHANNEL;
    EXPECT_EQ(decoded_header(s).side_info_length(), 17);
    s.crc = true;
    EXPECT_EQ(decoded_header(s).side_info_length(), 19);
    s.version_bits = 2;
    EXPECT_EQ(decoded_header(s).side_info_length(), 11);
    s.crc = false;
    s.mode = ZK_MODE_DUAL_CHANNEL;
    EXPECT_EQ(decoded_header(s).side_info_length(), 17);

    EXPECT_EQ(decoded_header(s).samples_per_channel(), 576);
    s.version_bits = 3;
    EXPECT_EQ(decoded_header(s).samples_per_channel(), 1152);
    s.layer_code = 2;
    EXPECT_EQ(decoded_header(s).samples_per_channel(), 1152);
    s.version_bits = 2;
    EXPECT_EQ(decoded_header(s).samples_per_channel(), 1152);
    s.layer_code = 3;
    EXPECT_EQ(decoded_header(s).samples_per_channel(), 384);
}

// Every header the reader can accept fits the frame buffer, and a layer III
// frame holds its side information.
TEST(FrameHeader, EveryValidFrameFitsTheFrameBuffer) {
    int valid_headers = 0;
    for (uint32_t low = 0; low < (1u << 21); ++low) {
        FrameHeader h{};
        if (!decode_frame_header(0xFFE00000u | low, h))
            continue;
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
    const FrameHeader empty{};
    EXPECT_EQ(empty.frame_length(), 0);
}

TEST(FrameHeaderProbe, FillsStreamInformation) {
    const uint8_t bytes[4] = {0xFF, 0xFB, 0x92, 0x64};
    ZK_StreamInfo info{};
    info.changed = 7;
    int32_t bytes_per_second = 0;
    ASSERT_TRUE(probe_frame_header(bytes, info, bytes_per_second));
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
}

TEST(FrameHeaderProbe, RejectsWhatIsNoHeader) {
    ZK_StreamInfo info{};
    int32_t bytes_per_second = -1;
    const uint8_t no_sync[4] = {0xFE, 0xFB, 0x90, 0x64};
    const uint8_t short_sync[4] = {0xFF, 0xDB, 0x90, 0x64};
    const uint8_t id3[4] = {'I', 'D', '3', 0x03};
    const uint8_t free_format[4] = {0xFF, 0xFB, 0x00, 0x00};
    for (const uint8_t* bytes : {no_sync, short_sync, id3, free_format})
        EXPECT_FALSE(probe_frame_header(bytes, info, bytes_per_second));
    EXPECT_EQ(info.bitrate, 0);
    EXPECT_EQ(bytes_per_second, -1);
}

} // namespace
} // namespace zk::test
