// Answers to a module's query operation from a fixed device table (for the
// built-in input and output modules).
#pragma once

#include "zelkor.h"

#include <cstring>
#include <iterator>

namespace zk {

struct DeviceEntry {
    const char* name;
    const char* description;
    uint32_t flags;
};

template <size_t N>
int32_t answer_query(ZK_ModuleInfo* info, int32_t what, const char* name, const char* description,
                     const DeviceEntry (&devices)[N]) {
    if (!info) return ZK_ERROR_INVALID_PARAMETERS;
    auto copy = [](char(&field)[ZK_MODULE_INFO_TEXT_SIZE], const char* text) {
        std::strncpy(field, text, sizeof field - 1);
        field[sizeof field - 1] = '\0';
    };
    switch (what) {
    case ZK_MODULE_QUERY_NAME:
        copy(info->name, name);
        copy(info->description, description);
        return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE_COUNT: info->index_or_count = static_cast<int32_t>(N); return ZK_OK;
    case ZK_MODULE_QUERY_DEVICE: {
        const int32_t index = info->index_or_count;
        if (index < 0 || index >= static_cast<int32_t>(N)) return ZK_ERROR_INVALID_PARAMETERS;
        copy(info->name, devices[index].name);
        copy(info->description, devices[index].description);
        info->flags = devices[index].flags;
        return ZK_OK;
    }
    default: return ZK_ERROR_INVALID_PARAMETERS;
    }
}

} // namespace zk
