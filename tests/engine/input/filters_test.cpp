#include "input_fixture.h"

#include <utility>

namespace zk::test {
namespace {

// Filters named by a letter; a filter instance records its id and counts deletes.
struct FilterLog {
    int deletes = 0;
    int32_t new_result = 0;
};
FilterLog* filter_log = nullptr;

int32_t new_filter(void** instance, int32_t id, ZK_Decoder*) {
    if (filter_log->new_result < 0) return filter_log->new_result;
    *instance = reinterpret_cast<void*>(static_cast<intptr_t>(id));
    return 0;
}
int32_t delete_filter(void*) {
    ++filter_log->deletes;
    return 0;
}

ZK_InputFilter plain_filter(const char* (*name)()) {
    ZK_InputFilter filter{};
    filter.name = name;
    filter.new_instance = new_filter;
    filter.delete_instance = delete_filter;
    return filter;
}

// Inverts every byte read through it.
ZK_InputFilter inverting_filter() {
    ZK_InputFilter filter = plain_filter([] { return "invert"; });
    filter.read = [](void*, const ZK_InputNext* next, void* buffer, uint32_t count) -> int32_t {
        const int32_t result = next->read(next->context, buffer, count);
        for (int32_t i = 0; i < result; ++i) static_cast<uint8_t*>(buffer)[i] ^= 0xFF;
        return result;
    };
    filter.get_size = [](void*, const ZK_InputNext* next) -> uint32_t { return next->get_size(next->context) / 2; };
    return filter;
}

class Filters : public InputTest {
protected:
    void SetUp() override {
        InputTest::SetUp();
        filter_log = &log;
    }
    std::vector<std::pair<std::string, int32_t>> listed() {
        std::vector<std::pair<std::string, int32_t>> entries;
        decoder_input_filters_list(decoder, &entries, [](void* client, const char* name, int32_t id) -> int32_t {
            static_cast<std::vector<std::pair<std::string, int32_t>>*>(client)->emplace_back(name, id);
            return 0;
        });
        return entries;
    }
    FilterLog log;
};

using Listing = std::vector<std::pair<std::string, int32_t>>;

TEST_F(Filters, IdsPlacementAndReuse) {
    const ZK_InputFilter a = plain_filter([] { return "a"; });
    const ZK_InputFilter b = plain_filter([] { return "b"; });
    const ZK_InputFilter c = plain_filter([] { return "c"; });
    EXPECT_EQ(decoder_input_add_filter(decoder, &a, ZK_FILTER_FIRST), 1);
    EXPECT_EQ(decoder_input_add_filter(decoder, &b, ZK_FILTER_FIRST), 2);
    EXPECT_EQ(decoder_input_add_filter(decoder, &c, ZK_FILTER_FIRST), 3);
    EXPECT_EQ(listed(), (Listing{{"c", 3}, {"b", 2}, {"a", 1}}));

    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, 2), 3);
    EXPECT_EQ(log.deletes, 1);
    EXPECT_EQ(decoder_input_add_filter(decoder, &b, ZK_FILTER_LAST), 2);
    EXPECT_EQ(listed(), (Listing{{"c", 3}, {"a", 1}, {"b", 2}}));

    const ZK_InputFilter d = plain_filter([] { return "d"; });
    EXPECT_EQ(decoder_input_add_filter(decoder, &d, 1), 4);  // 1 means last too
    EXPECT_EQ(decoder_input_add_filter(decoder, &d, 3), 5);  // before filter 3
    EXPECT_EQ(decoder_input_add_filter(decoder, &d, 99), 6); // no filter 99: last
    EXPECT_EQ(listed(), (Listing{{"d", 5}, {"c", 3}, {"a", 1}, {"b", 2}, {"d", 4}, {"d", 6}}));
}

TEST_F(Filters, RemovalBySelector) {
    const ZK_InputFilter a = plain_filter([] { return "a"; });
    const ZK_InputFilter b = plain_filter([] { return "b"; });
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, -1), ZK_FAILURE); // only the module
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, 0), ZK_FAILURE);
    decoder_input_add_filter(decoder, &a, ZK_FILTER_LAST); // 1
    decoder_input_add_filter(decoder, &b, ZK_FILTER_LAST); // 2
    decoder_input_add_filter(decoder, &a, ZK_FILTER_LAST); // 3
    decoder_input_add_filter(decoder, &b, ZK_FILTER_LAST); // 4
    EXPECT_EQ(decoder_input_remove_filter(decoder, "", ZK_FILTER_BY_NAME), ZK_FAILURE);
    EXPECT_EQ(decoder_input_remove_filter(decoder, "zzz", ZK_FILTER_BY_NAME), ZK_FAILURE);
    EXPECT_EQ(decoder_input_remove_filter(decoder, "b", ZK_FILTER_BY_NAME), 1);
    EXPECT_EQ(listed(), (Listing{{"a", 1}, {"a", 3}, {"b", 4}}));
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, 0), 1); // the last filter
    EXPECT_EQ(listed(), (Listing{{"a", 1}, {"a", 3}}));
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, -1), 3); // the first element
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, 7), ZK_FAILURE);
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, -3), ZK_FAILURE);
    EXPECT_EQ(decoder_input_remove_filter(decoder, nullptr, 3), 0); // only the module is left
    EXPECT_EQ(log.deletes, 4);
}

TEST_F(Filters, BadRecordsAndFailedCreationLeaveTheChainAlone) {
    ZK_InputFilter nameless{};
    const ZK_InputFilter a = plain_filter([] { return "a"; });
    EXPECT_EQ(decoder_input_add_filter(decoder, nullptr, 0), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_input_add_filter(decoder, &nameless, 0), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_input_add_filter(decoder, &a, -2), ZK_ERROR_INVALID_PARAMETERS);
    log.new_result = ZK_ERROR_OUT_OF_MEMORY;
    EXPECT_EQ(decoder_input_add_filter(decoder, &a, 0), ZK_ERROR_OUT_OF_MEMORY);
    EXPECT_TRUE(listed().empty());
    log.new_result = 0;
    EXPECT_EQ(decoder_input_add_filter(decoder, &a, 0), 1);
    EXPECT_EQ(decoder_input_filters_list(decoder, nullptr, nullptr), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(Filters, CallsTravelThroughFiltersToTheModule) {
    for (int i = 0; i < 64; ++i) script.bytes.push_back(static_cast<uint8_t>(i));
    ZK_InputModule fake = fake_input_module(script);
    decoder_input_module_register(decoder, &fake);
    const ZK_InputFilter invert = inverting_filter();
    const ZK_InputFilter passive = plain_filter([] { return "passive"; });
    ASSERT_EQ(decoder_input_add_filter(decoder, &invert, ZK_FILTER_LAST), 1);
    ASSERT_EQ(decoder_input_add_filter(decoder, &passive, ZK_FILTER_FIRST), 2);
    ASSERT_EQ(decoder_input_add_filter(decoder, &invert, ZK_FILTER_LAST), 3);

    ASSERT_EQ(decoder_input_new(decoder, "fake:", -1), 0);
    ASSERT_EQ(decoder_input_open(decoder), 0);
    EXPECT_EQ(script.opens, 1);
    EXPECT_EQ(decoder->input->size, 16u); // halved by each inverting filter
    EXPECT_EQ(decoder->input->caps, ZK_INPUT_CAN_SEEK);
    uint8_t bytes[4];
    ASSERT_EQ(decoder_input_read(decoder, bytes, 4), 4);
    EXPECT_EQ(bytes[0], 0); // inverted twice
    EXPECT_EQ(bytes[3], 3);
    ASSERT_EQ(decoder_input_remove_filter(decoder, nullptr, 3), 2);
    ASSERT_EQ(decoder_input_read(decoder, bytes, 4), 4);
    EXPECT_EQ(bytes[0], 0xFF - 4);
    ASSERT_EQ(decoder_input_seek_to_offset(decoder, 8), 0);
    EXPECT_EQ(script.seeks.back(), 8u);
    EXPECT_EQ(decoder_input_send_message(decoder, 1, nullptr, 0), ZK_FAILURE); // nobody answers
    ASSERT_EQ(decoder_input_close(decoder), 0);
    EXPECT_EQ(script.closes, 1);
}

} // namespace
} // namespace zk::test
