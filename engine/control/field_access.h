// Reading and writing a described field of a message.
#pragma once

#include "control/message_fields.h"

#include <cstdarg>
#include <cstring>

namespace zk::control {

inline uint32_t get_number(const ZK_Message& m, const Field& f) {
    const auto* at = reinterpret_cast<const unsigned char*>(&m) + f.offset;
    switch (f.kind) {
    case FieldKind::U8: return *at;
    case FieldKind::U16: {
        uint16_t v;
        std::memcpy(&v, at, 2);
        return v;
    }
    case FieldKind::I16: {
        int16_t v;
        std::memcpy(&v, at, 2);
        return static_cast<uint32_t>(static_cast<int32_t>(v));
    }
    case FieldKind::U32:
    case FieldKind::I32: {
        uint32_t v;
        std::memcpy(&v, at, 4);
        return v;
    }
    default: return 0;
    }
}

inline void set_number(ZK_Message& m, const Field& f, uint32_t value) {
    auto* at = reinterpret_cast<unsigned char*>(&m) + f.offset;
    switch (f.kind) {
    case FieldKind::U8: *at = static_cast<uint8_t>(value); break;
    case FieldKind::U16:
    case FieldKind::I16: {
        uint16_t v = static_cast<uint16_t>(value);
        std::memcpy(at, &v, 2);
        break;
    }
    case FieldKind::U32:
    case FieldKind::I32: std::memcpy(at, &value, 4); break;
    default: break;
    }
}

inline const void* get_pointer(const ZK_Message& m, const Field& f) {
    const void* p;
    std::memcpy(&p, reinterpret_cast<const unsigned char*>(&m) + f.offset, sizeof p);
    return p;
}

inline void set_pointer(ZK_Message& m, const Field& f, const void* p) {
    std::memcpy(reinterpret_cast<unsigned char*>(&m) + f.offset, &p, sizeof p);
}

// Byte count of a Data field: its size field, or its fixed size (0 for null data).
inline uint32_t data_size(const ZK_Message& m, const Field& f) {
    if (!get_pointer(m, f)) return 0;
    if (f.size_field < 0) return f.fixed_size;
    uint16_t v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(&m) + f.size_field, 2);
    return v;
}

inline void set_data_size(ZK_Message& m, const Field& f, uint16_t size) {
    if (f.size_field >= 0) std::memcpy(reinterpret_cast<unsigned char*>(&m) + f.size_field, &size, 2);
}

// Fills the payload fields in their serialisation order from int and pointer
// arguments.
inline void fill_fields_from_arguments(ZK_Message& m, va_list args) {
    for (const Field& f : shape_fields(code_info(m.code).shape)) {
        if (f.kind == FieldKind::String || f.kind == FieldKind::Data)
            set_pointer(m, f, va_arg(args, const void*));
        else
            set_number(m, f, static_cast<uint32_t>(va_arg(args, int)));
    }
}

} // namespace zk::control
