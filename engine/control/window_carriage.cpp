#include "control/window_carriage.h"

#include "control/message_table.h"

#include <cstdlib>
#include <cstring>

using namespace zk::control;
using zk::platform::PostedMessage;

namespace {

const char kEmpty[] = "";

uint8_t byte_of(uintptr_t word, int index) { return static_cast<uint8_t>(word >> (8 * index)); }

char* copy_string(const char* s) {
    if (!s) s = kEmpty;
    size_t n = std::strlen(s) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}

char* copy_pair(const char* a, const char* b) {
    if (!a) a = kEmpty;
    if (!b) b = kEmpty;
    size_t na = std::strlen(a) + 1, nb = std::strlen(b) + 1;
    char* block = static_cast<char*>(std::malloc(na + nb));
    if (block) {
        std::memcpy(block, a, na);
        std::memcpy(block + na, b, nb);
    }
    return block;
}

// A 16-bit big-endian count followed by the bytes.
uint8_t* copy_block(const void* data, size_t size) {
    uint8_t* block = static_cast<uint8_t*>(std::malloc(size + 2));
    if (block) {
        block[0] = static_cast<uint8_t>(size >> 8);
        block[1] = static_cast<uint8_t>(size);
        std::memcpy(block + 2, data, size);
    }
    return block;
}

// Whether the carriage puts a heap copy into the second parameter.
bool carries_copy(Carriage c) {
    switch (c) {
    case Carriage::NameInL:
    case Carriage::ModuleMessage:
    case Carriage::FilterIdName:
    case Carriage::EnvironmentInteger:
    case Carriage::EnvironmentString:
    case Carriage::Equalizer:
    case Carriage::ModuleInfo:
    case Carriage::DeviceInfo:
    case Carriage::Progress:
    case Carriage::Debug:
    case Carriage::Error: return true;
    default: return false;
    }
}

bool is_engine_code(uint32_t code) { return code >= 1 && code < ZK_MSG_COUNT; }

const char* unpack_string(intptr_t lparam, char* buffer) {
    if (!lparam) return kEmpty;
    char* copy = reinterpret_cast<char*>(lparam);
    size_t n = strnlen(copy, kSlotBufferSize - 1);
    std::memcpy(buffer, copy, n);
    buffer[n] = 0;
    std::free(copy);
    return buffer;
}

void unpack_pair(intptr_t lparam, char* buffer, const char*& first, const char*& second) {
    first = second = kEmpty;
    if (!lparam) return;
    char* block = reinterpret_cast<char*>(lparam);
    size_t na = std::strlen(block);
    size_t copied = na < kSlotBufferSize - 1 ? na : kSlotBufferSize - 1;
    std::memcpy(buffer, block, copied);
    buffer[copied] = 0;
    first = buffer;
    if (na + 1 <= kSlotBufferSize - 1) {
        const char* b = block + na + 1;
        size_t room = kSlotBufferSize - 1 - (na + 1);
        size_t nb = strnlen(b, room);
        std::memcpy(buffer + na + 1, b, nb);
        buffer[na + 1 + nb] = 0;
        second = buffer + na + 1;
    }
    std::free(block);
}

// Copies a block's data into the buffer; returns its size (0 for none).
uint16_t unpack_block(intptr_t lparam, char* buffer, const void*& data) {
    data = nullptr;
    if (!lparam) return 0;
    uint8_t* block = reinterpret_cast<uint8_t*>(lparam);
    size_t n = (size_t(block[0]) << 8) | block[1];
    if (n > kSlotBufferSize) n = kSlotBufferSize;
    std::memcpy(buffer, block + 2, n);
    std::free(block);
    data = buffer;
    return static_cast<uint16_t>(n);
}

} // namespace

namespace zk::control {

void discard_posted(const PostedMessage& posted) {
    uint32_t code = posted.number - ZK_WINDOW_MESSAGE_BASE;
    if (is_engine_code(code) && carries_copy(code_info(code).carriage))
        std::free(reinterpret_cast<void*>(posted.lparam));
}

void unpack_message(ZK_Message& m, const PostedMessage& posted, char* buffer) {
    std::memset(&m, 0, sizeof m);
    m.code = posted.number - ZK_WINDOW_MESSAGE_BASE;
    if (!is_engine_code(m.code)) return;
    uintptr_t w = posted.wparam;
    intptr_t l = posted.lparam;
    switch (code_info(m.code).carriage) {
    case Carriage::Nothing: break;
    case Carriage::TagInL: m.tag.tag = static_cast<int32_t>(l); break;
    case Carriage::OffsetRange:
        m.seek.offset = static_cast<uint32_t>(w);
        m.seek.range = static_cast<uint32_t>(l);
        break;
    case Carriage::NameInL: m.name.name = unpack_string(l, buffer); break;
    case Carriage::ModuleMessage:
        m.module_message.type = static_cast<uint16_t>(w);
        m.module_message.size = unpack_block(l, buffer, m.module_message.data);
        break;
    case Carriage::FilterIdName:
        m.filter.id = static_cast<int16_t>(w);
        m.filter.name = unpack_string(l, buffer);
        break;
    case Carriage::ModuleIdInW: m.module_id.id = static_cast<int16_t>(w); break;
    case Carriage::ValueInW: m.value.mode = static_cast<uint32_t>(w); break;
    case Carriage::ValueInL: m.value.mode = static_cast<uint32_t>(l); break;
    case Carriage::EnvironmentInteger:
        m.environment_integer.value = static_cast<int32_t>(w);
        m.environment_integer.name = unpack_string(l, buffer);
        break;
    case Carriage::EnvironmentString:
        unpack_pair(l, buffer, m.environment_string.name, m.environment_string.value);
        break;
    case Carriage::Volume:
        m.volume.balance = byte_of(w, 0);
        m.volume.pcm_level = byte_of(w, 1);
        m.volume.master_level = byte_of(w, 2);
        break;
    case Carriage::ByteInW:
        switch (code_info(m.code).shape) {
        case Shape::Balance: m.volume.balance = byte_of(w, 0); break;
        case Shape::PcmLevel: m.volume.pcm_level = byte_of(w, 0); break;
        case Shape::MasterLevel: m.volume.master_level = byte_of(w, 0); break;
        default: m.byte.channels = byte_of(w, 0); break;
        }
        break;
    case Carriage::Equalizer: {
        const void* data;
        uint16_t n = unpack_block(l, buffer, data);
        m.equalizer.equalizer = n == 64 ? static_cast<const int8_t*>(data) : nullptr;
        break;
    }
    case Carriage::Nack:
        m.nack.command = static_cast<uint8_t>(w);
        m.nack.code = static_cast<int16_t>(l);
        break;
    case Carriage::Timecode:
        m.timecode.hours = byte_of(w, 0);
        m.timecode.minutes = byte_of(w, 1);
        m.timecode.seconds = byte_of(w, 2);
        m.timecode.fractions = byte_of(w, 3);
        break;
    case Carriage::StreamInfo:
        m.stream_info.level = byte_of(w, 0);
        m.stream_info.layer = byte_of(w, 1);
        m.stream_info.mode = byte_of(w, 2);
        m.stream_info.bitrate = static_cast<uint16_t>(l);
        m.stream_info.frequency = static_cast<uint16_t>(static_cast<uintptr_t>(l) >> 16);
        break;
    case Carriage::ModuleInfo:
        m.module_info.id = byte_of(w, 0);
        m.module_info.nb_devices = byte_of(w, 1);
        unpack_pair(l, buffer, m.module_info.name, m.module_info.description);
        break;
    case Carriage::DeviceInfo:
        m.device_info.module_id = byte_of(w, 0);
        m.device_info.index = byte_of(w, 1);
        m.device_info.flags = byte_of(w, 2);
        unpack_pair(l, buffer, m.device_info.name, m.device_info.description);
        break;
    case Carriage::Progress:
        m.progress.source = byte_of(w, 0);
        m.progress.code = byte_of(w, 1);
        m.progress.value = static_cast<int16_t>(w >> 16);
        m.progress.message = unpack_string(l, buffer);
        break;
    case Carriage::Debug:
        m.debug.source = byte_of(w, 0);
        m.debug.level = byte_of(w, 1);
        m.debug.message = unpack_string(l, buffer);
        break;
    case Carriage::Error:
        m.error.source = byte_of(w, 0);
        m.error.code = static_cast<int16_t>(w >> 16);
        m.error.message = unpack_string(l, buffer);
        break;
    }
}

} // namespace zk::control

extern "C" ZK_API int32_t control_message_to_win32_params(const ZK_Message* message, uint32_t* number,
                                                          uintptr_t* wparam, intptr_t* lparam) {
    if (!message || !number || !wparam || !lparam) return ZK_ERROR_INVALID_PARAMETERS;
    const ZK_Message& m = *message;
    uintptr_t w = 0;
    intptr_t l = 0;
    void* copy = nullptr;
    uint32_t code = m.code;
    Carriage carriage = is_engine_code(code) ? code_info(code).carriage : Carriage::Nothing;
    switch (carriage) {
    case Carriage::Nothing: break;
    case Carriage::TagInL: l = m.tag.tag; break;
    case Carriage::OffsetRange:
        w = m.seek.offset;
        l = static_cast<intptr_t>(m.seek.range);
        break;
    case Carriage::NameInL: copy = copy_string(m.name.name); break;
    case Carriage::ModuleMessage:
        w = m.module_message.type;
        if (m.module_message.size > kSlotBufferSize) return ZK_ERROR_INVALID_PARAMETERS;
        if (m.module_message.data && m.module_message.size) {
            copy = copy_block(m.module_message.data, m.module_message.size);
            if (!copy) return ZK_ERROR_OUT_OF_MEMORY;
        }
        break;
    case Carriage::FilterIdName:
        w = static_cast<uintptr_t>(static_cast<intptr_t>(m.filter.id));
        copy = copy_string(m.filter.name);
        break;
    case Carriage::ModuleIdInW: w = static_cast<uintptr_t>(static_cast<intptr_t>(m.module_id.id)); break;
    case Carriage::ValueInW: w = m.value.mode; break;
    case Carriage::ValueInL: l = static_cast<intptr_t>(m.value.mode); break;
    case Carriage::EnvironmentInteger:
        w = static_cast<uintptr_t>(static_cast<uint32_t>(m.environment_integer.value));
        copy = copy_string(m.environment_integer.name);
        break;
    case Carriage::EnvironmentString: copy = copy_pair(m.environment_string.name, m.environment_string.value); break;
    case Carriage::Volume:
        w = m.volume.balance | (uintptr_t(m.volume.pcm_level) << 8) | (uintptr_t(m.volume.master_level) << 16);
        break;
    case Carriage::ByteInW:
        switch (code_info(code).shape) {
        case Shape::Balance: w = m.volume.balance; break;
        case Shape::PcmLevel: w = m.volume.pcm_level; break;
        case Shape::MasterLevel: w = m.volume.master_level; break;
        default: w = m.byte.channels; break;
        }
        break;
    case Carriage::Equalizer:
        if (m.equalizer.equalizer) {
            copy = copy_block(m.equalizer.equalizer, 64);
            if (!copy) return ZK_ERROR_OUT_OF_MEMORY;
        }
        break;
    case Carriage::Nack:
        w = m.nack.command;
        l = m.nack.code;
        break;
    case Carriage::Timecode:
        w = m.timecode.hours | (uintptr_t(m.timecode.minutes) << 8) | (uintptr_t(m.timecode.seconds) << 16) |
            (uintptr_t(m.timecode.fractions) << 24);
        break;
    case Carriage::StreamInfo:
        w = m.stream_info.level | (uintptr_t(m.stream_info.layer) << 8) | (uintptr_t(m.stream_info.mode) << 16);
        l = static_cast<intptr_t>(m.stream_info.bitrate | (uint32_t(m.stream_info.frequency) << 16));
        break;
    case Carriage::ModuleInfo:
        w = m.module_info.id | (uintptr_t(m.module_info.nb_devices) << 8);
        copy = copy_pair(m.module_info.name, m.module_info.description);
        break;
    case Carriage::DeviceInfo:
        w = m.device_info.module_id | (uintptr_t(m.device_info.index) << 8) | (uintptr_t(m.device_info.flags) << 16);
        copy = copy_pair(m.device_info.name, m.device_info.description);
        break;
    case Carriage::Progress:
        w = m.progress.source | (uintptr_t(m.progress.code) << 8) |
            (uintptr_t(static_cast<uint16_t>(m.progress.value)) << 16);
        copy = copy_string(m.progress.message);
        break;
    case Carriage::Debug:
        w = m.debug.source | (uintptr_t(m.debug.level) << 8);
        copy = copy_string(m.debug.message);
        break;
    case Carriage::Error:
        w = m.error.source | (uintptr_t(static_cast<uint16_t>(m.error.code)) << 16);
        copy = copy_string(m.error.message);
        break;
    }
    bool needs_copy = carriage != Carriage::ModuleMessage && carriage != Carriage::Equalizer && carries_copy(carriage);
    if (needs_copy && !copy) return ZK_ERROR_OUT_OF_MEMORY;
    if (copy) l = reinterpret_cast<intptr_t>(copy);
    *number = ZK_WINDOW_MESSAGE_BASE + code;
    *wparam = w;
    *lparam = l;
    return 0;
}
