// The looping-buffer output module: "/dev/dsound/N" plays on listed device
// N, the empty name on the system's default device.
#include "zk_dsound_output.h"

#include "buffer/sound_device.h"
#include "module/dsound_output.h"
#include "module/dsound_texts.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

using zk::dsound::DsoundOutput;

DsoundOutput& output_of(void* instance) { return *static_cast<DsoundOutput*>(instance); }

int32_t probe(const char* name) {
    const size_t prefix = std::strlen(zk::dsound::texts::kDevicePrefix);
    return name && (!*name || std::strncmp(name, zk::dsound::texts::kDevicePrefix, prefix) == 0) ? 0 : 1;
}

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    if (!info) return ZK_ERROR_INVALID_PARAMETERS;
    switch (what) {
    case ZK_MODULE_QUERY_NAME:
        std::snprintf(info->name, sizeof info->name, "%s", zk::dsound::texts::kModuleName);
        std::snprintf(info->description, sizeof info->description, "%s", zk::dsound::texts::kModuleVersion);
        return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE_COUNT:
        info->index_or_count = static_cast<int32_t>(zk::dsound::list_sound_devices().size());
        return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE: {
        const std::vector<zk::dsound::DeviceListing> devices = zk::dsound::list_sound_devices();
        const int32_t index = info->index_or_count;
        if (index < 0 || index >= static_cast<int32_t>(devices.size())) return ZK_ERROR_INVALID_PARAMETERS;
        std::snprintf(info->name, sizeof info->name, "%s%d", zk::dsound::texts::kDevicePrefix, index);
        std::snprintf(info->description, sizeof info->description, "%s :%s", devices[index].module.c_str(),
                      devices[index].description.c_str());
        info->flags = index == 0 ? 2 : 0;
        return ZK_OK;
    }
    default: return ZK_ERROR_INVALID_PARAMETERS;
    }
}

int32_t new_instance(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder) {
    if (!instance) return ZK_ERROR_INVALID_PARAMETERS;
    auto* output =
        new (std::nothrow) DsoundOutput(decoder, module_id, name ? name : "", zk::dsound::DeviceTable::shared());
    if (!output) return ZK_ERROR_OUT_OF_MEMORY;
    const int32_t result = output->create();
    if (result != ZK_OK) {
        delete output;
        return result;
    }
    *instance = output;
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<DsoundOutput*>(instance);
    return ZK_OK;
}

// The device stays acquired from `new` to delete.
int32_t open(void*) { return ZK_OK; }
int32_t close(void*) { return ZK_OK; }

int32_t write(void* instance, const void* samples, uint32_t count, int32_t, int32_t, int32_t) {
    return output_of(instance).write(samples, count);
}

int32_t set_control(void* instance, const ZK_OutputControl* control, uint32_t request) {
    static const ZK_OutputControl none{};
    return output_of(instance).set_control(control ? *control : none, request);
}

int32_t get_control(void* instance, ZK_OutputControl* control, uint32_t request) {
    return control ? output_of(instance).get_control(*control, request) : ZK_ERROR_INVALID_PARAMETERS;
}

uint32_t get_caps(void*) { return DsoundOutput::kCaps; }

} // namespace

extern "C" ZK_API int32_t dsound_output_module_register(ZK_OutputModule* module) {
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_OutputModule{probe,   query,       new_instance, delete_instance, open,     close,  write,
                              nullptr, set_control, get_control,  nullptr,         get_caps, nullptr};
    return ZK_OK;
}
