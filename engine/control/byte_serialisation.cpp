// The self-describing big-endian byte form of control messages.
#include "control/field_access.h"
#include "zelkor.h"

#include <climits>
#include <cstring>

using namespace zk::control;

namespace {

constexpr size_t kMaxBlock = 0xFFFF;

size_t item_length(const ZK_Message& m, const Field& f) {
    switch (f.kind) {
    case FieldKind::U8: return 2;
    case FieldKind::U16:
    case FieldKind::I16: return 3;
    case FieldKind::U32:
    case FieldKind::I32: return 5;
    case FieldKind::String: {
        const char* s = static_cast<const char*>(get_pointer(m, f));
        return 3 + (s ? std::strlen(s) : 0) + 1;
    }
    case FieldKind::Data: return 3 + data_size(m, f);
    }
    return 0;
}

void put16(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v >> 8);
    at[1] = static_cast<uint8_t>(v);
}

uint32_t get16(const uint8_t* at) { return (uint32_t(at[0]) << 8) | at[1]; }

uint8_t* write_item(uint8_t* out, const ZK_Message& m, const Field& f) {
    *out++ = static_cast<uint8_t>(field_letter(f.kind));
    uint32_t v = get_number(m, f);
    switch (f.kind) {
    case FieldKind::U8: *out++ = static_cast<uint8_t>(v); break;
    case FieldKind::U16:
    case FieldKind::I16:
        put16(out, v);
        out += 2;
        break;
    case FieldKind::U32:
    case FieldKind::I32:
        put16(out, v >> 16);
        put16(out + 2, v);
        out += 4;
        break;
    case FieldKind::String: {
        const char* s = static_cast<const char*>(get_pointer(m, f));
        size_t n = (s ? std::strlen(s) : 0) + 1;
        put16(out, static_cast<uint32_t>(n));
        out += 2;
        if (s)
            std::memcpy(out, s, n);
        else
            *out = 0;
        out += n;
        break;
    }
    case FieldKind::Data: {
        uint32_t n = data_size(m, f);
        put16(out, n);
        out += 2;
        if (n) std::memcpy(out, get_pointer(m, f), n);
        out += n;
        break;
    }
    }
    return out;
}

// Reads one item at [at, end) into field f; returns the item's end or null
// when it is malformed or does not belong in that field.
const uint8_t* read_item(const uint8_t* at, const uint8_t* end, ZK_Message& m, const Field& f) {
    if (at >= end || *at != static_cast<uint8_t>(field_letter(f.kind))) return nullptr;
    ++at;
    switch (f.kind) {
    case FieldKind::U8:
        if (end - at < 1) return nullptr;
        set_number(m, f, at[0]);
        return at + 1;
    case FieldKind::U16:
    case FieldKind::I16:
        if (end - at < 2) return nullptr;
        set_number(m, f, get16(at));
        return at + 2;
    case FieldKind::U32:
    case FieldKind::I32:
        if (end - at < 4) return nullptr;
        set_number(m, f, (get16(at) << 16) | get16(at + 2));
        return at + 4;
    case FieldKind::String:
    case FieldKind::Data: {
        if (end - at < 2) return nullptr;
        uint32_t n = get16(at);
        at += 2;
        if (static_cast<uint32_t>(end - at) < n) return nullptr;
        if (f.kind == FieldKind::String) {
            // The text must end inside its item.
            if (n == 0 || std::memchr(at, 0, n) == nullptr) return nullptr;
            set_pointer(m, f, at);
        } else {
            if (f.size_field < 0 && n != 0 && n != f.fixed_size) return nullptr;
            set_pointer(m, f, n ? at : nullptr);
            set_data_size(m, f, static_cast<uint16_t>(n));
        }
        return at + n;
    }
    }
    return nullptr;
}

} // namespace

extern "C" ZK_API int32_t control_message_to_bytes(const ZK_Message* message, uint8_t* buffer, int32_t size) {
    if (!message || !buffer) return ZK_ERROR_INVALID_PARAMETERS;
    if (!is_serialisable(message->code)) return 0;
    auto fields = shape_fields(code_info(message->code).shape);
    size_t block = 2;
    for (const Field& f : fields) block += item_length(*message, f);
    if (block > kMaxBlock) return 0; // a payload too large for the 16-bit lengths
    if (size >= 1) buffer[0] = static_cast<uint8_t>(message->code);
    if (size < 1 || static_cast<size_t>(size) - 1 < block) return -static_cast<int32_t>(block + 1);
    put16(buffer + 1, static_cast<uint32_t>(block));
    uint8_t* out = buffer + 3;
    for (const Field& f : fields) out = write_item(out, *message, f);
    return static_cast<int32_t>(block + 1);
}

extern "C" ZK_API int32_t control_message_from_bytes_sized(ZK_Message* message, const uint8_t* bytes, size_t size) {
    if (!message || !bytes || size < 1) return ZK_ERROR_INVALID_PARAMETERS;
    uint32_t code = bytes[0];
    if (!is_serialisable(code)) return ZK_ERROR_INVALID_MESSAGE;
    std::memset(message, 0, sizeof *message);
    message->code = code;
    auto fields = shape_fields(code_info(code).shape);
    if (fields.empty()) return 0;
    if (size < 3) return ZK_ERROR_INTERNAL;
    size_t block = get16(bytes + 1);
    if (block < 2 || block + 1 > size) return ZK_ERROR_INTERNAL;
    const uint8_t* at = bytes + 3;
    const uint8_t* end = bytes + 1 + block;
    for (const Field& f : fields) {
        if (at == end) break;
        at = read_item(at, end, *message, f);
        if (!at) return ZK_ERROR_INTERNAL;
    }
    return at == end ? 0 : ZK_ERROR_INTERNAL;
}

extern "C" ZK_API int32_t control_message_from_bytes(ZK_Message* message, const uint8_t* bytes) {
    if (!message || !bytes) return ZK_ERROR_INVALID_PARAMETERS;
    // The block's own length field bounds the walk.
    size_t size = 3;
    if (is_serialisable(bytes[0]) && !shape_fields(code_info(bytes[0]).shape).empty())
        size = 1 + ((size_t(bytes[1]) << 8) | bytes[2]);
    return control_message_from_bytes_sized(message, bytes, size < 3 ? 3 : size);
}
