#include "fake_input.h"

#include <algorithm>
#include <cstring>

namespace zk::test {

namespace {

FakeInputScript* current = nullptr;

struct Instance {
    FakeInputScript* script;
    uint32_t offset = 0;
};

int32_t probe(const char* name) { return std::string(name).rfind(current->accepted_prefix, 0) == 0 ? 0 : 1; }

int32_t new_instance(void** instance, const char* name, int32_t, ZK_Decoder*) {
    current->names.push_back(name);
    ++current->news;
    if (current->new_result < 0) return current->new_result;
    *instance = new Instance{current};
    return 0;
}

int32_t delete_instance(void* instance) {
    ++static_cast<Instance*>(instance)->script->deletes;
    delete static_cast<Instance*>(instance);
    return 0;
}

int32_t open(void* instance) {
    auto* i = static_cast<Instance*>(instance);
    ++i->script->opens;
    i->offset = 0;
    return 0;
}

int32_t close(void* instance) {
    ++static_cast<Instance*>(instance)->script->closes;
    return 0;
}

int32_t read(void* instance, void* buffer, uint32_t count) {
    auto* i = static_cast<Instance*>(instance);
    const std::vector<uint8_t>& bytes = i->script->bytes;
    if (i->offset + count > bytes.size()) return 0;
    std::memcpy(buffer, bytes.data() + i->offset, count);
    i->offset += count;
    return static_cast<int32_t>(count);
}

int32_t seek(void* instance, uint32_t offset) {
    auto* i = static_cast<Instance*>(instance);
    i->script->seeks.push_back(offset);
    i->offset = offset;
    return 0;
}

uint32_t get_caps(void* instance) {
    const FakeInputScript& script = *static_cast<Instance*>(instance)->script;
    return script.seekable ? ZK_INPUT_CAN_SEEK : script.reopens ? ZK_INPUT_CAN_SEEK_BY_REOPEN : 0;
}

uint32_t get_size(void* instance) {
    const FakeInputScript& script = *static_cast<Instance*>(instance)->script;
    return script.seekable || script.reopens ? static_cast<uint32_t>(script.bytes.size()) : 0;
}

} // namespace

ZK_InputModule fake_input_module(FakeInputScript& script) {
    current = &script;
    return ZK_InputModule{probe, nullptr, new_instance, delete_instance, open,   close,
                          read,  seek,    get_caps,     get_size,        nullptr};
}

} // namespace zk::test
