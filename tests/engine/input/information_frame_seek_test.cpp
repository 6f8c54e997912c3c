// Streams that seek by asking again from an offset, placed through their
// VBRI frame's table: the offset the table names, or the average byte rate
// when the table does not hold.
#include "engine/support/information_frames.h"
#include "input_fixture.h"

namespace zk::test {
namespace {

constexpr double kFrameSeconds = 1152.0 / 44100;

// A VBRI frame, then 50 frames at 64 kbit/s and 50 at 192 kbit/s; the table
// has an entry per 10 frames, the first holding the VBRI frame too.
struct VbriStream {
    VbriFields fields;
    std::vector<uint8_t> bytes;

    VbriStream() {
        fields.frames = 100;
        fields.frames_per_entry = 10;
        for (int i = 0; i < 10; ++i) fields.entries.push_back(i < 5 ? 10 * 208 : 10 * 626);
        fields.entries[0] += 417;
        fields.bytes = 417 + 50 * 208 + 50 * 626;
    }
    void build() {
        bytes = vbri_frame(fields);
        for (int i = 0; i < 100; ++i) {
            const std::vector<uint8_t> frame = silent_frame(i < 50 ? k64kbit : k192kbit);
            bytes.insert(bytes.end(), frame.begin(), frame.end());
        }
    }
};

class VbriStreamSeek : public InputTest {
protected:
    void open(const VbriStream& stream) {
        script = FakeInputScript{};
        script.seekable = false;
        script.reopens = true;
        script.bytes = stream.bytes;
        const ZK_InputModule module = fake_input_module(script);
        ASSERT_GE(decoder_input_module_register(decoder, &module), 0);
        ASSERT_EQ(decoder_input_new(decoder, "fake:vbri", -1), 0);
        ASSERT_EQ(decoder_input_open(decoder), 0);
        ASSERT_EQ(decoder->input->caps, ZK_INPUT_CAN_SEEK_BY_REOPEN);
        ASSERT_EQ(decoder_decode(decoder, nullptr), 0); // takes the VBRI frame out
    }
    // Where a seek to the start of audio frame `frame` asked the stream to go.
    uint32_t offset_asked_for(int frame) {
        const size_t seeks = script.seeks.size();
        EXPECT_EQ(decoder_input_seek_to_time(decoder, frame * kFrameSeconds), 0);
        EXPECT_EQ(script.seeks.size(), seeks + 1);
        return script.seeks.empty() ? 0 : script.seeks.back();
    }
};

TEST_F(VbriStreamSeek, TimesLandOnTheBytesTheTableNames) {
    VbriStream stream;
    stream.build();
    open(stream);
    EXPECT_EQ(decoder->input->duration, int32_t(100 * kFrameSeconds));
    EXPECT_EQ(offset_asked_for(20), 417u + 20 * 208);
    EXPECT_EQ(offset_asked_for(60), 417u + 50 * 208 + 10 * 626);
    ASSERT_EQ(decoder_decode(decoder, nullptr), 0);
    EXPECT_EQ(decoder->input->info.bitrate, 192) << "resumed on a frame of the second half";
    EXPECT_EQ(offset_asked_for(35), 417u + 35 * 208) << "between entries, in proportion";
    EXPECT_EQ(offset_asked_for(0), 0u);

    ASSERT_EQ(decoder_input_seek_to_position(decoder, 0.6f), 0);
    EXPECT_NEAR(script.seeks.back(), 417 + 50 * 208 + 10 * 626, 2) << "positions go through the table too";
    const ZK_Timecode& at = decoder->status->timecode;
    EXPECT_NEAR(at.seconds + at.hundredths / 100.0, 60 * kFrameSeconds, 0.03) << "the timecode follows";
}

// The counts still give the duration and the average byte rate.
TEST_F(VbriStreamSeek, TablesThatDoNotHoldFallBackToTheAverageByteRate) {
    const auto average = [](int frame) { return uint32_t(frame / 100.0 * (417 + 50 * 208 + 50 * 626)); };
    struct Case {
        const char* what;
        void (*damage)(VbriFields&);
    } cases[] = {
        {"zero entries", [](VbriFields& f) { f.entries.clear(); }},
        {"a huge count", [](VbriFields& f) { f.stated_entries = 65535; }},
        {"entries of 9 bytes", [](VbriFields& f) { f.entry_size = 9; }},
        {"zero frames per entry", [](VbriFields& f) { f.frames_per_entry = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VbriStream stream;
        c.damage(stream.fields);
        stream.build();
        open(stream);
        EXPECT_EQ(decoder->input->duration, int32_t(100 * kFrameSeconds));
        EXPECT_EQ(offset_asked_for(60), average(60));
        EXPECT_EQ(offset_asked_for(20), average(20));
        ASSERT_EQ(decoder_input_close(decoder), 0);
        ASSERT_EQ(decoder_input_delete(decoder), 0);
    }
}

} // namespace
} // namespace zk::test
