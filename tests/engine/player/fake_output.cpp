#include "engine/player/fake_output.h"

#include <cstdio>

namespace zk::test {

FakeOutputLog& fake_output_log() {
    static FakeOutputLog log;
    return log;
}

namespace {

int32_t probe(const char* name) { return name && std::string(name) == "fake" ? 0 : 1; }
int32_t new_instance(void** instance, const char*, int32_t, ZK_Decoder*) {
    *instance = &fake_output_log();
    return 0;
}
int32_t no_op(void*) { return 0; }
int32_t write(void*, const void*, uint32_t count, int32_t, int32_t, int32_t) {
    fake_output_log().bytes_written += count;
    return static_cast<int32_t>(count);
}
int32_t set_control(void*, const ZK_OutputControl* control, uint32_t request) {
    fake_output_log().last_request = request;
    fake_output_log().requests_seen |= request;
    if (control && (request & ZK_OUTPUT_REQUEST_PCM_LEVEL)) fake_output_log().last_pcm_level = control->pcm_level;
    return 0;
}
int32_t get_control(void*, ZK_OutputControl* control, uint32_t) {
    control->balance = 50;
    control->pcm_level = 100;
    control->master_level = 100;
    control->ports = ZK_OUTPUT_PORT_SPEAKER;
    return 0;
}
uint32_t get_caps(void*) { return ZK_OUTPUT_CAP_PCM16 | 0x1FFF; }

} // namespace

extern "C" int32_t fake_output_register(ZK_OutputModule* module) {
    module->probe = probe;
    module->new_instance = new_instance;
    module->delete_instance = no_op;
    module->open = no_op;
    module->close = no_op;
    module->write = write;
    module->set_control = set_control;
    module->get_control = get_control;
    module->get_caps = get_caps;
    return 0;
}

std::string fake_output_module_name() {
    char name[64];
    std::snprintf(name, sizeof name, "function@%lx",
                  static_cast<unsigned long>(reinterpret_cast<uintptr_t>(&fake_output_register)));
    return name;
}

} // namespace zk::test
