// The payload fields of each shape, in serialisation order, as offsets into
// ZK_Message: one description drives serialising, deserialising and sending.
#pragma once

#include "control/message_table.h"

#include <cstddef>
#include <span>

namespace zk::control {

enum class FieldKind : uint8_t { U8, U16, I16, U32, I32, String, Data };

struct Field {
    FieldKind kind;
    size_t offset;        // of the value, or of the pointer for String and Data
    ptrdiff_t size_field; // Data: offset of its uint16_t size field, or -1
    uint16_t fixed_size;  // Data without a size field: its byte count (equalizer: 64)
};

// Serialisation item letter of a field kind: b, s, l, c or B.
char field_letter(FieldKind kind);

std::span<const Field> shape_fields(Shape shape);

} // namespace zk::control
