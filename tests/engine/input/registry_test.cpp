#include "input_fixture.h"

namespace zk::test {
namespace {

using Registry = InputTest;

TEST_F(Registry, ModulesWithoutRequiredOperationsAreRefused) {
    const ZK_InputModule complete = fake_input_module(script);
    struct Case {
        void (*strip)(ZK_InputModule&);
        const char* text;
    } cases[] = {{[](ZK_InputModule& m) { m.new_instance = nullptr; }, "null 'new' method in module"},
                 {[](ZK_InputModule& m) { m.delete_instance = nullptr; }, "null 'new' method in module"},
                 {[](ZK_InputModule& m) { m.open = nullptr; }, "null 'open' method in module"},
                 {[](ZK_InputModule& m) { m.close = nullptr; }, "null 'close' method in module"},
                 {[](ZK_InputModule& m) { m.read = nullptr; }, "null 'read' method in module"}};
    for (const Case& c : cases) {
        ZK_InputModule module = complete;
        c.strip(module);
        EXPECT_EQ(decoder_input_module_register(decoder, &module), ZK_ERROR_INTERNAL);
        EXPECT_EQ(last_debug(), std::string("internal error: ") + c.text);
    }
    EXPECT_EQ(decoder->module_counts[0], 0);
    EXPECT_EQ(decoder_input_module_register(decoder, nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_input_module_register(nullptr, &complete), ZK_ERROR_INVALID_PARAMETERS);
}

// Device indexes are bounded; a module without a query gets the default answer.
TEST_F(Registry, QueriesAreBoundedAndHaveADefaultAnswer) {
    register_file_input();
    ZK_InputModule fake = fake_input_module(script);
    decoder_input_module_register(decoder, &fake);

    ZK_ModuleInfo info{};
    info.index_or_count = 1;
    ASSERT_EQ(decoder_input_module_query(decoder, 0, &info, ZK_MODULE_QUERY_DEVICE), 0);
    EXPECT_STREQ(info.name, "-");
    info.index_or_count = 2;
    EXPECT_EQ(decoder_input_module_query(decoder, 0, &info, ZK_MODULE_QUERY_DEVICE), ZK_ERROR_INVALID_PARAMETERS);

    ASSERT_EQ(decoder_input_module_query(decoder, 1, &info, ZK_MODULE_QUERY_NAME), 0);
    EXPECT_STREQ(info.name, "unknown module name");
    ASSERT_EQ(decoder_input_module_query(decoder, 1, &info, ZK_MODULE_QUERY_DEVICE_COUNT), 0);
    EXPECT_EQ(info.index_or_count, 1);
    info.index_or_count = 0;
    ASSERT_EQ(decoder_input_module_query(decoder, 1, &info, ZK_MODULE_QUERY_DEVICE), 0);
    EXPECT_STREQ(info.name, "unknown device name");
    info.index_or_count = 1;
    EXPECT_EQ(decoder_input_module_query(decoder, 1, &info, ZK_MODULE_QUERY_DEVICE), ZK_ERROR_INVALID_PARAMETERS);

    EXPECT_EQ(decoder_input_module_query(decoder, 2, &info, ZK_MODULE_QUERY_NAME), ZK_ERROR_MODULE_NOT_FOUND);
    EXPECT_EQ(decoder_input_module_query(decoder, -1, &info, ZK_MODULE_QUERY_NAME), ZK_ERROR_MODULE_NOT_FOUND);
}

TEST_F(Registry, NamesGoToTheNewestModuleThatAcceptsThem) {
    EXPECT_EQ(decoder_input_new(decoder, "x.mp3", -1), ZK_ERROR_UNSUPPORTED_INPUT_TYPE);
    EXPECT_EQ(register_file_input(), 0);
    ZK_InputModule fake = fake_input_module(script);
    EXPECT_EQ(decoder_input_module_register(decoder, &fake), 1);
    EXPECT_EQ(decoder->module_counts[0], 2);
    EXPECT_EQ(decoder->module_counts[1], 0);

    ASSERT_EQ(decoder_input_new(decoder, "fake:one", -1), 0);
    EXPECT_EQ(decoder->input->module, 1);
    ASSERT_EQ(decoder_input_new(decoder, "fake:one", 0), 0); // by id: the file input
    EXPECT_EQ(decoder->input->module, 0);
    EXPECT_EQ(script.deletes, 1);
    ASSERT_EQ(decoder_input_new(decoder, "song.mp3", -1), 0);
    EXPECT_EQ(decoder->input->module, 0);
    EXPECT_STREQ(decoder->input->name, "song.mp3");
    EXPECT_EQ(decoder_input_new(decoder, "song.mp3", 7), ZK_ERROR_MODULE_NOT_FOUND);

    // The empty name reaches the file input, which refuses it.
    EXPECT_EQ(decoder_input_new(decoder, nullptr, -1), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(last_debug(), "internal error: null params or null/empty input name");
    EXPECT_EQ(decoder->input->instance, nullptr);
}

TEST_F(Registry, SameModuleAndNameKeepTheInstance) {
    script.bytes.assign(100, 0);
    ZK_InputModule fake = fake_input_module(script);
    decoder_input_module_register(decoder, &fake);
    ASSERT_EQ(decoder_input_new(decoder, "fake:a", -1), 0);
    void* first = decoder->input->instance;
    ASSERT_EQ(decoder_input_open(decoder), 0);
    ASSERT_EQ(decoder_input_new(decoder, "fake:a", -1), 0);
    EXPECT_EQ(decoder->input->instance, first);
    EXPECT_EQ(decoder->input->state, 1);
    EXPECT_EQ(script.news, 1);

    // Another name replaces it, closing the open one first.
    ASSERT_EQ(decoder_input_new(decoder, "fake:b", -1), 0);
    EXPECT_EQ(script.closes, 1);
    EXPECT_EQ(script.deletes, 1);
    EXPECT_EQ(script.news, 2);
    EXPECT_EQ(decoder->input->state, 0);
    ASSERT_EQ(decoder_input_delete(decoder), 0);
    EXPECT_EQ(script.deletes, 2);
    EXPECT_EQ(decoder->input->module, -1);
}

TEST_F(Registry, OpenCloseAndReadCheckTheState) {
    EXPECT_EQ(decoder_input_open(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug(), "internal error: null input module");

    script.bytes.assign(100, 7);
    script.new_result = ZK_ERROR_OPEN_FAILED;
    ZK_InputModule fake = fake_input_module(script);
    decoder_input_module_register(decoder, &fake);
    EXPECT_EQ(decoder_input_new(decoder, "fake:x", -1), ZK_ERROR_OPEN_FAILED);
    EXPECT_EQ(decoder_input_open(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug(), "internal error: null input device");

    script.new_result = 0;
    ASSERT_EQ(decoder_input_new(decoder, "fake:x", -1), 0);
    uint8_t buffer[10];
    EXPECT_EQ(decoder_input_read(decoder, buffer, 10), ZK_ERROR_INTERNAL);
    EXPECT_EQ(decoder_input_close(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug(), "internal error: input not open");
    ASSERT_EQ(decoder_input_open(decoder), 0);
    EXPECT_EQ(decoder_input_open(decoder), ZK_ERROR_INTERNAL);
    EXPECT_EQ(last_debug(), "internal error: input not closed");
    EXPECT_EQ(decoder->input->size, 100u);
    EXPECT_EQ(decoder->input->caps, ZK_INPUT_CAN_SEEK);

    EXPECT_EQ(decoder_input_read(decoder, buffer, 10), 10);
    EXPECT_EQ(decoder->input->offset, 10u);
    EXPECT_EQ(decoder_input_close(decoder), 0);
    EXPECT_EQ(decoder->input->size, 0u);
    EXPECT_EQ(decoder->input->caps, 0u);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    EXPECT_EQ(decoder->input->offset, 0u);
}

} // namespace
} // namespace zk::test
