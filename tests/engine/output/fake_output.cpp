#include "fake_output.h"

namespace zk::test {

namespace {

FakeOutputScript* current = nullptr;

FakeOutputScript& script_of(void* instance) { return *static_cast<FakeOutputScript*>(instance); }

int32_t probe(const char* name) { return std::string(name).rfind(current->accepted_prefix, 0) == 0 ? 0 : 1; }

int32_t new_instance(void** instance, const char*, int32_t, ZK_Decoder*) {
    ++current->news;
    *instance = current;
    return 0;
}

int32_t delete_instance(void* instance) {
    ++script_of(instance).deletes;
    return 0;
}

int32_t open(void* instance) {
    ++script_of(instance).opens;
    return 0;
}

int32_t close(void* instance) {
    ++script_of(instance).closes;
    return 0;
}

int32_t write(void* instance, const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
              int32_t sample_rate) {
    FakeOutputScript& script = script_of(instance);
    script.writes.push_back({samples, count, sample_size, stereo, sample_rate});
    return script.write_result == -1 ? static_cast<int32_t>(count) : script.write_result;
}

void* get_buffer(void* instance, uint32_t count) {
    FakeOutputScript& script = script_of(instance);
    return script.lends_buffers && count <= script.lent.size() ? script.lent.data() : nullptr;
}

int32_t set_control(void* instance, const ZK_OutputControl* control, uint32_t request) {
    script_of(instance).controls.push_back({control != nullptr, control ? *control : ZK_OutputControl{}, request});
    return 0;
}

int32_t get_control(void* instance, ZK_OutputControl* control, uint32_t request) {
    if (request & ZK_OUTPUT_REQUEST_PCM_LEVEL) control->pcm_level = 42;
    (void)instance;
    return 0;
}

int32_t get_status(void* instance, uint32_t* queued) {
    *queued = script_of(instance).queued_bytes;
    return 0;
}

uint32_t get_caps(void* instance) { return script_of(instance).caps; }

int32_t send_message(void* instance, int32_t type, const void*, uint32_t) {
    script_of(instance).messages.push_back(type);
    return 5;
}

} // namespace

ZK_OutputModule fake_output_module(FakeOutputScript& script) {
    current = &script;
    return ZK_OutputModule{probe,      nullptr,     new_instance, delete_instance, open,     close,       write,
                           get_buffer, set_control, get_control,  get_status,      get_caps, send_message};
}

} // namespace zk::test
