#include "zelkor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Call {
    std::string name;
    bool has_value;
    std::string text;
    int32_t integer;
};

struct Recorder {
    std::vector<Call> calls;
    bool is_string = false;
};

int32_t record(void* client, const char* name, const void* value) {
    auto& recorder = *static_cast<Recorder*>(client);
    Call call{name, value != nullptr, "", 0};
    if (value && recorder.is_string) call.text = static_cast<const char*>(value);
    if (value && !recorder.is_string) call.integer = *static_cast<const int32_t*>(value);
    recorder.calls.push_back(call);
    return 0;
}

class Environment : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(decoder_new(&decoder), 0); }
    void TearDown() override { decoder_delete(decoder); }
    ZK_Decoder* decoder = nullptr;
};

TEST_F(Environment, IntegersAndStringsKeepTheirTypes) {
    int32_t value = 0;
    char text[64];
    EXPECT_EQ(decoder_get_environment_integer(decoder, "A", &value), ZK_ERROR_NO_SUCH_VARIABLE);
    EXPECT_EQ(decoder_set_environment_integer(decoder, "A", 5), 0);
    EXPECT_EQ(decoder_set_environment_integer(decoder, "A", 7), 0);
    EXPECT_EQ(decoder_get_environment_integer(decoder, "A", &value), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(decoder_get_environment_integer(decoder, "a", &value), ZK_ERROR_NO_SUCH_VARIABLE);

    EXPECT_EQ(decoder_set_environment_string(decoder, "S", "first"), 0);
    EXPECT_EQ(decoder_set_environment_string(decoder, "S", "second"), 0);
    EXPECT_EQ(decoder_set_environment_integer(decoder, "S", 1), ZK_ERROR_INVALID_VARIABLE_TYPE);
    EXPECT_EQ(decoder_set_environment_string(decoder, "A", "x"), ZK_ERROR_INVALID_VARIABLE_TYPE);
    EXPECT_EQ(decoder_get_environment_integer(decoder, "S", &value), ZK_ERROR_INVALID_VARIABLE_TYPE);
    EXPECT_EQ(decoder_get_environment_string(decoder, "A", text), ZK_ERROR_INVALID_VARIABLE_TYPE);
    EXPECT_EQ(decoder_get_environment_string(decoder, "S", text), 0);
    EXPECT_STREQ(text, "second");
    EXPECT_EQ(decoder_get_environment_integer(decoder, "A", &value), 0);
    EXPECT_EQ(value, 7);
}

TEST_F(Environment, SizedGetterRefusesShortBuffersAndCopiesNothing) {
    ASSERT_EQ(decoder_set_environment_string(decoder, "HOST", "proxy.example"), 0);
    char small[13];
    std::fill(std::begin(small), std::end(small), 'z');
    EXPECT_EQ(decoder_get_environment_string_sized(decoder, "HOST", small, sizeof small), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(small[0], 'z');
    char exact[14];
    EXPECT_EQ(decoder_get_environment_string_sized(decoder, "HOST", exact, sizeof exact), 0);
    EXPECT_STREQ(exact, "proxy.example");
}

TEST_F(Environment, NullArgumentsAreRefused) {
    int32_t value;
    char text[8];
    EXPECT_EQ(decoder_set_environment_integer(nullptr, "A", 1), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_set_environment_integer(decoder, nullptr, 1), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_set_environment_string(decoder, "A", nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_get_environment_integer(decoder, "A", nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_get_environment_string(decoder, nullptr, text), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_get_environment_integer(nullptr, "A", &value), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_add_environment_listener(decoder, "A", nullptr, nullptr, nullptr), ZK_ERROR_INVALID_PARAMETERS);
    EXPECT_EQ(decoder_remove_environment_listener(decoder, nullptr), ZK_ERROR_INVALID_PARAMETERS);
}

TEST_F(Environment, EachSetNotifiesEachMatchingListenerOnceWithTheNewValue) {
    Recorder first, second, other;
    ZK_EnvironmentListener *a = nullptr, *b = nullptr, *c = nullptr;
    ASSERT_EQ(decoder_add_environment_listener(decoder, "RATE", &first, record, &a), 0);
    ASSERT_EQ(decoder_add_environment_listener(decoder, "RATE", &second, record, &b), 0);
    ASSERT_EQ(decoder_add_environment_listener(decoder, "NEVER", &other, record, &c), 0);

    ASSERT_EQ(decoder_set_environment_integer(decoder, "RATE", 100), 0);
    ASSERT_EQ(decoder_set_environment_integer(decoder, "RATE", 200), 0);
    ASSERT_EQ(decoder_set_environment_integer(decoder, "rate", 300), 0);
    ASSERT_EQ(first.calls.size(), 2u);
    EXPECT_EQ(first.calls[0].integer, 100);
    EXPECT_EQ(first.calls[1].integer, 200);
    EXPECT_EQ(first.calls[1].name, "RATE");
    EXPECT_EQ(second.calls.size(), 2u);
    EXPECT_TRUE(other.calls.empty());

    ASSERT_EQ(decoder_remove_environment_listener(decoder, a), 0);
    EXPECT_EQ(decoder_remove_environment_listener(decoder, a), ZK_FAILURE);
    ASSERT_EQ(decoder_set_environment_integer(decoder, "RATE", 400), 0);
    EXPECT_EQ(first.calls.size(), 2u);
    EXPECT_EQ(second.calls.size(), 3u);
}

TEST_F(Environment, UnsetNotifiesWithNullBeforeRemoving) {
    Recorder recorder;
    recorder.is_string = true;
    ASSERT_EQ(decoder_add_environment_listener(decoder, "NAME", &recorder, record, nullptr), 0);
    struct Probe {
        ZK_Decoder* decoder;
        std::vector<int32_t> lookups; // result of a get inside the callback
    } probe{decoder, {}};
    auto callback = [](void* client, const char*, const void* value) -> int32_t {
        auto& p = *static_cast<Probe*>(client);
        char text[32];
        if (!value) p.lookups.push_back(decoder_get_environment_string(p.decoder, "NAME", text));
        return 0;
    };
    ASSERT_EQ(decoder_add_environment_listener(decoder, "NAME", &probe, callback, nullptr), 0);
    ASSERT_EQ(decoder_set_environment_string(decoder, "NAME", "value"), 0);
    ASSERT_EQ(decoder_unset_environment(decoder, "NAME"), 0);
    ASSERT_EQ(probe.lookups.size(), 1u);
    EXPECT_EQ(probe.lookups[0], 0); // still present while listeners hear of the unset
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].text, "value");
    EXPECT_FALSE(recorder.calls[1].has_value);
    char text[32];
    EXPECT_EQ(decoder_get_environment_string(decoder, "NAME", text), ZK_ERROR_NO_SUCH_VARIABLE);
    EXPECT_EQ(decoder_unset_environment(decoder, "NAME"), ZK_ERROR_NO_SUCH_VARIABLE);
}

// A listener that removes itself and sets the variable again while being
// notified must neither crash nor be called after its removal.
TEST_F(Environment, ListenersMayChangeListenersAndVariablesWhileNotified) {
    struct Self {
        ZK_Decoder* decoder;
        ZK_EnvironmentListener* handle = nullptr;
        int calls = 0;
    } self{decoder};
    auto callback = [](void* client, const char*, const void*) -> int32_t {
        auto& s = *static_cast<Self*>(client);
        ++s.calls;
        decoder_remove_environment_listener(s.decoder, s.handle);
        decoder_set_environment_string(s.decoder, "LOOP", "changed inside");
        return 0;
    };
    Recorder later;
    later.is_string = true;
    ASSERT_EQ(decoder_add_environment_listener(decoder, "LOOP", &later, record, nullptr), 0);
    ASSERT_EQ(decoder_add_environment_listener(decoder, "LOOP", &self, callback, &self.handle), 0);
    ASSERT_EQ(decoder_set_environment_string(decoder, "LOOP", "outer"), 0);
    EXPECT_EQ(self.calls, 1);
    ASSERT_EQ(later.calls.size(), 2u);
    EXPECT_EQ(later.calls[0].text, "changed inside");
    EXPECT_EQ(later.calls[1].text, "outer");
    EXPECT_EQ(decoder_remove_environment_listener(decoder, self.handle), ZK_FAILURE);
}

} // namespace
