// Input from memory: a static block of this process ("size@address"), or,
// for the empty name, a streaming ring that the client fills with
// memory_input_stream_write.
#include "decoder/decoder_private.h"
#include "input/memory/memory_name.h"
#include "decoder/module_info.h"
#include "zelkor.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr uint32_t kRingSize = 65536;

struct MemoryInput {
    // Static block.
    zk::MemoryBlock block{};
    uint32_t offset = 0;
    // Streaming ring (null for a static block).
    uint8_t* ring = nullptr;
    uint32_t ring_start = 0;
    uint32_t ring_count = 0;

    ~MemoryInput() { delete[] ring; }
};

const zk::DeviceEntry devices[] = {{"[null or empty string]", "streaming buffer", 3},
                                   {"size@address", "static buffer", 1}};

int32_t probe(const char* name) {
    zk::MemoryBlock block;
    return !name || !*name || zk::parse_memory_name(name, block) ? 0 : 1;
}

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    return zk::answer_query(info, what, "Input From Memory", "Version 1.0", devices);
}

int32_t new_instance(void** instance, const char* name, int32_t, ZK_Decoder*) {
    if (!instance) return ZK_ERROR_INVALID_PARAMETERS;
    auto* input = new (std::nothrow) MemoryInput;
    if (!input) return ZK_ERROR_OUT_OF_MEMORY;
    if (name && *name) {
        if (!zk::parse_memory_name(name, input->block)) {
            delete input;
            return ZK_ERROR_INTERNAL;
        }
    } else {
        input->ring = new (std::nothrow) uint8_t[kRingSize];
        if (!input->ring) {
            delete input;
            return ZK_ERROR_OUT_OF_MEMORY;
        }
    }
    *instance = input;
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<MemoryInput*>(instance);
    return ZK_OK;
}

int32_t open(void* instance) {
    auto& input = *static_cast<MemoryInput*>(instance);
    input.ring_start = input.ring_count = 0;
    return ZK_OK;
}

int32_t close(void*) { return ZK_OK; }

int32_t read_bytes(void* instance, void* buffer, uint32_t count) {
    auto& input = *static_cast<MemoryInput*>(instance);
    auto* out = static_cast<uint8_t*>(buffer);
    if (!input.ring) {
        if (count > input.block.size - input.offset) return ZK_ERROR_INPUT_END;
        std::memcpy(out, input.block.address + input.offset, count);
        input.offset += count;
        return static_cast<int32_t>(count);
    }
    if (count > input.ring_count) return ZK_ERROR_TIMEOUT;
    const uint32_t first = std::min(count, kRingSize - input.ring_start);
    std::memcpy(out, input.ring + input.ring_start, first);
    std::memcpy(out + first, input.ring, count - first);
    input.ring_start = (input.ring_start + count) % kRingSize;
    input.ring_count -= count;
    return static_cast<int32_t>(count);
}

// The end of a static block is a valid place to be; beyond it is not.
int32_t seek(void* instance, uint32_t offset) {
    auto& input = *static_cast<MemoryInput*>(instance);
    if (input.ring) return ZK_ERROR_INTERNAL;
    if (offset > input.block.size) return ZK_ERROR_INVALID_PARAMETERS;
    input.offset = offset;
    return ZK_OK;
}

uint32_t get_caps(void* instance) { return static_cast<MemoryInput*>(instance)->ring ? 0 : ZK_INPUT_CAN_SEEK; }

uint32_t get_size(void* instance) {
    auto& input = *static_cast<MemoryInput*>(instance);
    return input.ring ? 0 : input.block.size;
}

} // namespace

extern "C" ZK_API int32_t memory_input_module_register(ZK_InputModule* module) {
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_InputModule{probe,      query, new_instance, delete_instance, open,   close,
                             read_bytes, seek,  get_caps,     get_size,        nullptr};
    return ZK_OK;
}

extern "C" ZK_API int32_t memory_input_stream_write(ZK_Decoder* decoder, const void* data, uint32_t size) {
    if (!decoder || (!data && size)) return ZK_ERROR_INVALID_PARAMETERS;
    const ZK_InputModule* module = decoder->private_data->input.endpoint().module();
    auto* input = static_cast<MemoryInput*>(decoder->input->instance);
    if (!module || module->read != read_bytes || !input || !input->ring) return ZK_ERROR_INTERNAL;
    const uint32_t taken = std::min(size, kRingSize - input->ring_count);
    if (taken == 0) return 0;
    const uint32_t end = (input->ring_start + input->ring_count) % kRingSize;
    const uint32_t first = std::min(taken, kRingSize - end);
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::memcpy(input->ring + end, bytes, first);
    std::memcpy(input->ring, bytes + first, taken - first);
    input->ring_count += taken;
    return static_cast<int32_t>(taken);
}
