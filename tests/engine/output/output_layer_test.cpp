#include "engine/support/conformance.h"
#include "fake_output.h"
#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace zk::test {
namespace {

class OutputLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(decoder_new(&decoder), 0);
        decoder->client = this;
        decoder->debug = [](void* client, int32_t, int32_t, const char* message, const char* detail) {
            static_cast<OutputLayer*>(client)->last_debug = std::string(message) + ": " + detail;
        };
        module = fake_output_module(script);
    }
    void TearDown() override { decoder_delete(decoder); }
    void create_and_open() {
        ASSERT_EQ(decoder_output_module_register(decoder, &module), 0);
        ASSERT_EQ(decoder_output_new(decoder, "fake:out", -1), 0);
        ASSERT_EQ(decoder_output_open(decoder), 0);
    }

    ZK_Decoder* decoder = nullptr;
    FakeOutputScript script;
    ZK_OutputModule module{};
    std::string last_debug;
};

TEST_F(OutputLayer, RegistryRefusesIncompleteModulesAndCountsTheRest) {
    ZK_OutputModule no_write = module;
    no_write.write = nullptr;
    EXPECT_EQ(decoder_output_module_register(decoder, &no_write), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: null 'write' method in module");
    ZK_OutputModule no_delete = module;
    no_delete.delete_instance = nullptr;
    EXPECT_EQ(decoder_output_module_register(decoder, &no_delete), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: null 'new' method in module");
    EXPECT_EQ(decoder_output_module_register(decoder, &module), 0);
    EXPECT_EQ(decoder_output_module_register(decoder, &module), 1);
    EXPECT_EQ(decoder->module_counts[1], 2);
    ZK_ModuleInfo info{};
    EXPECT_EQ(decoder_output_module_query(decoder, 2, &info, ZK_MODULE_QUERY_NAME), ZK_ERROR_MODULE_NOT_FOUND);
}

// The checks are the input's (shared code); the texts name the output.
TEST_F(OutputLayer, StateChecksAndTheirTexts) {
    EXPECT_EQ(decoder_output_new(decoder, "fake:x", -1), ZK_ERROR_UNSUPPORTED_OUTPUT_TYPE);
    EXPECT_EQ(decoder_output_open(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: null output module");
    ASSERT_EQ(decoder_output_module_register(decoder, &module), 0);
    ASSERT_EQ(decoder_output_new(decoder, "fake:x", -1), 0);
    EXPECT_EQ(decoder_output_close(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: output not open");
    const char pcm[4] = {};
    EXPECT_EQ(decoder_output_write(decoder, pcm, 4, 2, 1, 44100), ZK_ERROR_INTERNAL);
    EXPECT_EQ(decoder_output_set_control(decoder, nullptr, ZK_OUTPUT_REQUEST_RESET), ZK_ERROR_INTERNAL);
    EXPECT_EQ(decoder_output_send_message(decoder, 1, nullptr, 0), ZK_ERROR_INTERNAL);
    ASSERT_EQ(decoder_output_open(decoder), 0);
    EXPECT_EQ(decoder_output_open(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: output not closed");
    EXPECT_TRUE(script.writes.empty());
    // Another name (by id, whatever the probe says) replaces the open instance, closing it first.
    ASSERT_EQ(decoder_output_new(decoder, "other", 0), 0);
    EXPECT_EQ(script.closes, 1);
    EXPECT_EQ(script.deletes, 1);
}

TEST_F(OutputLayer, OpenForgetsThePcmFormatAndTakesTheChainsCaps) {
    EXPECT_EQ(decoder->output->caps, ZK_OUTPUT_CAPS_INITIAL);
    decoder->output_buffer->bytes_per_sample = 2;
    decoder->output_buffer->stereo = 1;
    decoder->output_buffer->sample_rate = 44100;
    script.caps = ZK_OUTPUT_CAP_PCM16 | ZK_OUTPUT_REQUEST_RESET;
    create_and_open();
    EXPECT_EQ(decoder->output->caps, script.caps);
    EXPECT_EQ(decoder->output_buffer->bytes_per_sample, 0);
    EXPECT_EQ(decoder->output_buffer->stereo, -1);
    EXPECT_EQ(decoder->output_buffer->sample_rate, 0);
    ASSERT_EQ(decoder_output_close(decoder), 0);
    EXPECT_EQ(decoder->output->caps, 0u);
    EXPECT_EQ(decoder->output->state, 0);
    EXPECT_EQ(script.closes, 1);
}

TEST_F(OutputLayer, ControlsWritesAndMessagesReachTheModule) {
    create_and_open();
    ZK_OutputControl control{};
    control.balance = 25;
    EXPECT_EQ(decoder_output_set_control(decoder, &control, ZK_OUTPUT_REQUEST_BALANCE), 0);
    EXPECT_EQ(decoder_output_set_control(decoder, nullptr, ZK_OUTPUT_REQUEST_PAUSE), 0);
    ASSERT_EQ(script.controls.size(), 2u);
    EXPECT_EQ(script.controls[0].control.balance, 25);
    EXPECT_EQ(script.controls[0].request, ZK_OUTPUT_REQUEST_BALANCE);
    EXPECT_FALSE(script.controls[1].had_record);

    EXPECT_EQ(decoder_output_get_control(decoder, nullptr, ZK_OUTPUT_REQUEST_PCM_LEVEL), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug, "internal error: null control block");
    ZK_OutputControl read{};
    EXPECT_EQ(decoder_output_get_control(decoder, &read, ZK_OUTPUT_REQUEST_PCM_LEVEL), 0);
    EXPECT_EQ(read.pcm_level, 42);

    const int16_t pcm[4] = {1, 2, 3, 4};
    EXPECT_EQ(decoder_output_write(decoder, pcm, 8, 2, 1, 22050), 8);
    ASSERT_EQ(script.writes.size(), 1u);
    EXPECT_EQ(script.writes[0].samples, pcm);
    EXPECT_EQ(script.writes[0].sample_rate, 22050);
    EXPECT_EQ(decoder_output_send_message(decoder, 9, nullptr, 0), 5);
    EXPECT_EQ(script.messages, std::vector<int32_t>{9});
}

// Filters share the input's chain (ids and placement are tested there);
// calls pass through filters without the operation.
struct CountingFilter {
    static inline int writes = 0;
    static inline int deletes = 0;
    static ZK_OutputFilter record() {
        ZK_OutputFilter filter{};
        filter.name = [] { return "count"; };
        filter.delete_instance = [](void*) -> int32_t { return ++deletes, 0; };
        filter.write = [](void*, const ZK_OutputNext* next, const void* samples, uint32_t count, int32_t size,
                          int32_t stereo, int32_t rate) -> int32_t {
            ++writes;
            return next->write(next->context, samples, count, size, stereo, rate);
        };
        filter.get_caps = [](void*, const ZK_OutputNext* next) -> uint32_t {
            return next->get_caps(next->context) | ZK_OUTPUT_REQUEST_MUTE;
        };
        return filter;
    }
};

TEST_F(OutputLayer, FiltersSitInFrontOfTheModule) {
    const ZK_OutputFilter filter = CountingFilter::record();
    for (int32_t id = 1; id <= 3; ++id) EXPECT_EQ(decoder_output_add_filter(decoder, &filter, ZK_FILTER_FIRST), id);
    EXPECT_EQ(decoder_output_remove_filter(decoder, "count", ZK_FILTER_BY_NAME), 2);

    CountingFilter::writes = 0;
    create_and_open();
    EXPECT_EQ(decoder->output->caps, ZK_OUTPUT_CAP_PCM16 | ZK_OUTPUT_REQUEST_MUTE);
    const int16_t pcm[2] = {};
    EXPECT_EQ(decoder_output_write(decoder, pcm, 4, 2, 1, 44100), 4);
    EXPECT_EQ(CountingFilter::writes, 2);
    ASSERT_EQ(script.writes.size(), 1u);
    EXPECT_EQ(decoder_output_send_message(decoder, 3, nullptr, 0), 5); // passed through both
    CountingFilter::deletes = 0;
    decoder_delete(decoder);
    decoder = nullptr;
    EXPECT_EQ(CountingFilter::deletes, 2);
    EXPECT_EQ(script.deletes, 1);
    ASSERT_EQ(decoder_new(&decoder), 0); // for TearDown
}

class Playing : public OutputLayer {
protected:
    bool open_stream(const std::string& file) {
        ZK_InputModule input{};
        file_input_module_register(&input);
        decoder_input_module_register(decoder, &input);
        const std::string path = conformance_dir() + "/" + file;
        return decoder_input_new(decoder, path.c_str(), -1) == 0 && decoder_input_open(decoder) == 0;
    }
};

TEST_F(Playing, FramesGoIntoLentMemoryWithTheirFormatAnnouncedFirst) {
    ASSERT_TRUE(open_stream("layer2/l2-fl10.bit"));
    script.lends_buffers = true;
    script.caps = ZK_OUTPUT_CAP_PCM16 | ZK_OUTPUT_CAP_DELAY;
    script.queued_bytes = 2 * 4608;
    create_and_open();

    ASSERT_EQ(decoder_play(decoder), 0);
    ASSERT_EQ(script.controls.size(), 1u);
    EXPECT_EQ(script.controls[0].request,
              ZK_OUTPUT_REQUEST_SAMPLE_SIZE | ZK_OUTPUT_REQUEST_STEREO | ZK_OUTPUT_REQUEST_SAMPLE_RATE);
    EXPECT_EQ(script.controls[0].control.sample_size, 2);
    EXPECT_EQ(script.controls[0].control.stereo, 1);
    EXPECT_EQ(script.controls[0].control.sample_rate, 32000);
    ASSERT_EQ(script.writes.size(), 1u);
    EXPECT_EQ(script.writes[0].samples, script.lent.data());
    EXPECT_EQ(script.writes[0].count, 4608u);
    EXPECT_EQ(script.writes[0].stereo, 1);
    // What the output holds (4608 samples in two channels at 32000 Hz: 72 ms)
    // and the frame it is about to take (1152 per channel: 36 ms).
    EXPECT_EQ(decoder->output_buffer->delay, 108000u);

    ASSERT_EQ(decoder_play(decoder), 0);
    EXPECT_EQ(script.controls.size(), 1u); // same format: nothing to announce

    // Reopening forgets the format; the next frame announces it again.
    ASSERT_EQ(decoder_output_close(decoder), 0);
    EXPECT_EQ(decoder_play(decoder), ZK_ERROR_INTERNAL);
    ASSERT_EQ(decoder_output_open(decoder), 0);
    script.lends_buffers = false;
    ASSERT_EQ(decoder_play(decoder), 0);
    EXPECT_EQ(script.controls.size(), 2u);
    EXPECT_NE(script.writes.back().samples, script.lent.data()); // the decoder's own buffer
}

TEST_F(Playing, WithoutTheDelayCapabilityTheDelayIsZeroAndRefusedWritesAreReported) {
    ASSERT_TRUE(open_stream("layer2/l2-fl10.bit"));
    script.queued_bytes = 4608;
    create_and_open();
    ASSERT_EQ(decoder_play(decoder), 0);
    EXPECT_EQ(decoder->output_buffer->delay, 0u);
    script.write_result = ZK_ERROR_WRITE_FAILED;
    EXPECT_EQ(decoder_play(decoder), ZK_ERROR_WRITE_FAILED);
}

} // namespace
} // namespace zk::test
