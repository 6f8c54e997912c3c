// Reading and writing a described field of a message.
#pragma once

#include "control/message_fields.h"

#include <cstdarg>
#include <cstring>
#include <type_traits>
#include <utility>

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

// Whether an argument of type T can fill a field of this kind: an integer
// (or enumerator) a number, a C string a String, any pointer Data.
template <typename T> constexpr bool argument_fits(FieldKind kind) {
    using V = std::remove_cvref_t<T>;
    switch (kind) {
    case FieldKind::String: return std::is_convertible_v<V, const char*>;
    case FieldKind::Data: return std::is_pointer_v<V> || std::is_null_pointer_v<V>;
    default: return (std::is_integral_v<V> && !std::is_same_v<V, bool>) || std::is_enum_v<V>;
    }
}

template <uint32_t Code> inline constexpr std::span<const Field> kCodeFields = shape_fields(code_info(Code).shape);

template <uint32_t Code, typename... Args, size_t... I> constexpr bool arguments_fit_fields(std::index_sequence<I...>) {
    return (argument_fits<Args>(kCodeFields<Code>[I].kind) && ...);
}

// Whether the arguments fill the payload fields of Code one for one, in order.
template <uint32_t Code, typename... Args> constexpr bool arguments_fit() {
    if constexpr (kCodeFields<Code>.size() != sizeof...(Args))
        return false;
    else
        return arguments_fit_fields<Code, Args...>(std::index_sequence_for<Args...>{});
}

template <typename T> void set_argument(ZK_Message& m, const Field& f, T value) {
    if constexpr (std::is_pointer_v<T> || std::is_null_pointer_v<T>)
        set_pointer(m, f, value);
    else
        set_number(m, f, static_cast<uint32_t>(value));
}

template <uint32_t Code, typename... Args, size_t... I>
void fill_fields_at(ZK_Message& m, std::index_sequence<I...>, Args... args) {
    (set_argument(m, kCodeFields<Code>[I], args), ...);
}

// Fills the payload fields of Code from arguments that arguments_fit.
template <uint32_t Code, typename... Args> void fill_fields(ZK_Message& m, Args... args) {
    fill_fields_at<Code>(m, std::index_sequence_for<Args...>{}, args...);
}

} // namespace zk::control
