// The wave-device output module: "/dev/wave/N" plays on device N of the
// machine's playback devices, the empty name on the default device.
#include "decoder/debug_report.h"
#include "output/wave/wave_output.h"
#include "platform/audio/output_devices.h"
#include "zelkor.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

using zk::wave::WaveOutput;

constexpr char kPrefix[] = "/dev/wave/";
constexpr size_t kPrefixLength = sizeof kPrefix - 1;

WaveOutput& output_of(void* instance) { return *static_cast<WaveOutput*>(instance); }

void copy_text(char (&field)[ZK_MODULE_INFO_TEXT_SIZE], const char* text) {
    std::snprintf(field, sizeof field, "%s", text);
}

int32_t probe(const char* name) { return name && (!*name || std::strncmp(name, kPrefix, kPrefixLength) == 0) ? 0 : 1; }

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    if (!info) return ZK_ERROR_INVALID_PARAMETERS;
    switch (what) {
    case ZK_MODULE_QUERY_NAME:
        copy_text(info->name, "Win32 Sound Driver Interface");
        copy_text(info->description, "Version 1.2");
        return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE_COUNT:
        info->index_or_count = static_cast<int32_t>(zk::audio::list_output_devices().size());
        return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE: {
        const std::vector<zk::audio::OutputDevice> devices = zk::audio::list_output_devices();
        const int32_t index = info->index_or_count;
        if (index < 0 || index >= static_cast<int32_t>(devices.size())) return ZK_ERROR_INVALID_PARAMETERS;
        std::snprintf(info->name, sizeof info->name, "%s%d", kPrefix, index);
        copy_text(info->description, devices[index].description.c_str());
        info->flags = index == 0 ? 2 : 0;
        return ZK_OK;
    }
    default: return ZK_ERROR_INVALID_PARAMETERS;
    }
}

// "" is device 0; otherwise exactly "/dev/wave/" and one digit.
int32_t device_of(const char* name) {
    if (!*name) return 0;
    if (std::strlen(name) != kPrefixLength + 1 || std::strncmp(name, kPrefix, kPrefixLength) != 0) return -1;
    const char digit = name[kPrefixLength];
    return digit >= '0' && digit <= '9' ? digit - '0' : -1;
}

int32_t new_instance(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder) {
    if (!instance) return ZK_ERROR_INVALID_PARAMETERS;
    const int32_t device = device_of(name ? name : "");
    if (device < 0) {
        zk::report_debug(decoder, 0, "cannot create wave output", "no such device", module_id);
        return ZK_ERROR_NO_SUCH_OUTPUT_DEVICE;
    }
    auto* output = new (std::nothrow) WaveOutput(decoder, module_id, static_cast<uint32_t>(device));
    if (!output) return ZK_ERROR_OUT_OF_MEMORY;
    const int32_t result = output->create();
    if (result < 0) {
        delete output;
        return result;
    }
    *instance = output;
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<WaveOutput*>(instance);
    return ZK_OK;
}

int32_t open(void* instance) { return output_of(instance).open(); }
int32_t close(void* instance) { return output_of(instance).close(); }

int32_t write(void* instance, const void* samples, uint32_t count, int32_t, int32_t, int32_t) {
    return output_of(instance).write(samples, count);
}

void* get_buffer(void* instance, uint32_t count) { return output_of(instance).get_buffer(count); }

int32_t set_control(void* instance, const ZK_OutputControl* control, uint32_t request) {
    static const ZK_OutputControl none{};
    return output_of(instance).set_control(control ? *control : none, request);
}

int32_t get_control(void* instance, ZK_OutputControl* control, uint32_t request) {
    return control ? output_of(instance).get_control(*control, request) : ZK_ERROR_INVALID_PARAMETERS;
}

int32_t get_status(void* instance, uint32_t* queued_bytes) {
    if (!queued_bytes) return ZK_ERROR_INVALID_PARAMETERS;
    *queued_bytes = output_of(instance).queued_bytes();
    return ZK_OK;
}

uint32_t get_caps(void*) { return WaveOutput::kCaps; }

} // namespace

extern "C" ZK_API int32_t audio_output_module_register(ZK_OutputModule* module) {
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_OutputModule{probe,      query,       new_instance, delete_instance, open,     close,  write,
                              get_buffer, set_control, get_control,  get_status,      get_caps, nullptr};
    return ZK_OK;
}
