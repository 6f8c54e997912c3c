#include "control/window_carriage.h"

#include "control/field_access.h"
#include "control/message_table.h"

#include <array>
#include <cstdlib>
#include <cstring>

using namespace zk::control;
using zk::platform::PostedMessage;

namespace {

const char kEmpty[] = "";

enum Param : uint8_t { kW, kL };

// Where one field of a message travels: a number at a bit position of a
// parameter, or a string or data copied to the heap, whose address is the
// second parameter. A signed number at bit 0 fills its whole parameter with
// its sign.
struct Slot {
    Field field;
    Param param;
    uint8_t shift;
    bool shape_field; // the field is the shape's first one, not field
};

#define AT(member) offsetof(ZK_Message, member)

constexpr Slot w(FieldKind kind, size_t at, uint8_t shift = 0) { return {{kind, at, -1, 0}, kW, shift, false}; }
constexpr Slot l(FieldKind kind, size_t at, uint8_t shift = 0) { return {{kind, at, -1, 0}, kL, shift, false}; }
constexpr Slot copied_text(size_t at) { return {{FieldKind::String, at, -1, 0}, kL, 0, false}; }
constexpr Slot copied_data(size_t at, ptrdiff_t size_at) { return {{FieldKind::Data, at, size_at, 0}, kL, 0, false}; }
constexpr Slot copied_fixed_data(size_t at, uint16_t bytes) { return {{FieldKind::Data, at, -1, bytes}, kL, 0, false}; }
constexpr Slot shape_byte_in_w() { return {{FieldKind::U8, 0, -1, 0}, kW, 0, true}; }

using K = FieldKind;

constexpr Slot kTagInL[] = {l(K::I32, AT(tag.tag))};
constexpr Slot kOffsetRange[] = {w(K::U32, AT(seek.offset)), l(K::U32, AT(seek.range))};
constexpr Slot kNameInL[] = {copied_text(AT(name.name))};
constexpr Slot kModuleMessage[] = {w(K::U16, AT(module_message.type)),
                                   copied_data(AT(module_message.data), AT(module_message.size))};
constexpr Slot kFilterIdName[] = {w(K::I16, AT(filter.id)), copied_text(AT(filter.name))};
constexpr Slot kModuleIdInW[] = {w(K::I16, AT(module_id.id))};
constexpr Slot kValueInW[] = {w(K::U32, AT(value.mode))};
constexpr Slot kValueInL[] = {l(K::U32, AT(value.mode))};
// The value's 32 bits, not sign-extended.
constexpr Slot kEnvironmentInteger[] = {w(K::U32, AT(environment_integer.value)),
                                        copied_text(AT(environment_integer.name))};
constexpr Slot kEnvironmentString[] = {copied_text(AT(environment_string.name)),
                                       copied_text(AT(environment_string.value))};
constexpr Slot kVolume[] = {w(K::U8, AT(volume.balance)), w(K::U8, AT(volume.pcm_level), 8),
                            w(K::U8, AT(volume.master_level), 16)};
// A channel count, a state, a level: whatever single byte the shape has.
constexpr Slot kByteInW[] = {shape_byte_in_w()};
constexpr Slot kEqualizer[] = {copied_fixed_data(AT(equalizer.equalizer), 64)};
constexpr Slot kNack[] = {w(K::U8, AT(nack.command)), l(K::I16, AT(nack.code))};
constexpr Slot kTimecode[] = {w(K::U8, AT(timecode.hours)), w(K::U8, AT(timecode.minutes), 8),
                              w(K::U8, AT(timecode.seconds), 16), w(K::U8, AT(timecode.fractions), 24)};
constexpr Slot kStreamInfo[] = {w(K::U8, AT(stream_info.level)), w(K::U8, AT(stream_info.layer), 8),
                                w(K::U8, AT(stream_info.mode), 16), l(K::U16, AT(stream_info.bitrate)),
                                l(K::U16, AT(stream_info.frequency), 16)};
constexpr Slot kModuleInfo[] = {w(K::U8, AT(module_info.id)), w(K::U8, AT(module_info.nb_devices), 8),
                                copied_text(AT(module_info.name)), copied_text(AT(module_info.description))};
constexpr Slot kDeviceInfo[] = {w(K::U8, AT(device_info.module_id)), w(K::U8, AT(device_info.index), 8),
                                w(K::U8, AT(device_info.flags), 16), copied_text(AT(device_info.name)),
                                copied_text(AT(device_info.description))};
constexpr Slot kProgress[] = {w(K::U8, AT(progress.source)), w(K::U8, AT(progress.code), 8),
                              w(K::I16, AT(progress.value), 16), copied_text(AT(progress.message))};
constexpr Slot kDebug[] = {w(K::U8, AT(debug.source)), w(K::U8, AT(debug.level), 8), copied_text(AT(debug.message))};
constexpr Slot kError[] = {w(K::U8, AT(error.source)), w(K::I16, AT(error.code), 16), copied_text(AT(error.message))};

#undef AT

struct CarriageSlots {
    Carriage carriage;
    std::span<const Slot> slots;
};

using C = Carriage;

constexpr CarriageSlots kCarriages[] = {
    {C::Nothing, {}},
    {C::TagInL, kTagInL},
    {C::OffsetRange, kOffsetRange},
    {C::NameInL, kNameInL},
    {C::ModuleMessage, kModuleMessage},
    {C::FilterIdName, kFilterIdName},
    {C::ModuleIdInW, kModuleIdInW},
    {C::ValueInW, kValueInW},
    {C::ValueInL, kValueInL},
    {C::EnvironmentInteger, kEnvironmentInteger},
    {C::EnvironmentString, kEnvironmentString},
    {C::Volume, kVolume},
    {C::ByteInW, kByteInW},
    {C::Equalizer, kEqualizer},
    {C::Nack, kNack},
    {C::Timecode, kTimecode},
    {C::StreamInfo, kStreamInfo},
    {C::ModuleInfo, kModuleInfo},
    {C::DeviceInfo, kDeviceInfo},
    {C::Progress, kProgress},
    {C::Debug, kDebug},
    {C::Error, kError},
};

constexpr size_t kMaxStrings = 2;

constexpr bool is_copied(FieldKind kind) { return kind == FieldKind::String || kind == FieldKind::Data; }
constexpr bool is_signed(FieldKind kind) { return kind == FieldKind::I16 || kind == FieldKind::I32; }
constexpr unsigned width_of(FieldKind kind) {
    return kind == FieldKind::U8 ? 8 : kind == FieldKind::U16 || kind == FieldKind::I16 ? 16 : 32;
}
constexpr uint32_t bits_of(const Slot& slot) {
    if (is_copied(slot.field.kind) || (is_signed(slot.field.kind) && slot.shift == 0)) return ~0u;
    unsigned width = width_of(slot.field.kind);
    return (width == 32 ? ~0u : (1u << width) - 1) << slot.shift;
}

// Every carriage in enum order; in each, no two numbers share a bit, each
// fits in 32 bits, and a copy (up to two strings, or one data block) has the
// second parameter to itself.
constexpr bool carriages_are_sound() {
    for (size_t i = 0; i < std::size(kCarriages); ++i) {
        if (static_cast<size_t>(kCarriages[i].carriage) != i) return false;
        uint32_t used[2] = {0, 0};
        size_t strings = 0, blocks = 0;
        for (const Slot& slot : kCarriages[i].slots) {
            strings += slot.field.kind == FieldKind::String;
            blocks += slot.field.kind == FieldKind::Data;
            if (is_copied(slot.field.kind)) {
                if (slot.param != kL) return false;
                continue;
            }
            if (slot.shift + width_of(slot.field.kind) > 32 || (used[slot.param] & bits_of(slot))) return false;
            used[slot.param] |= bits_of(slot);
        }
        if (strings > kMaxStrings || blocks > 1 || (strings && blocks) || ((strings || blocks) && used[kL]))
            return false;
    }
    return std::size(kCarriages) == static_cast<size_t>(Carriage::Error) + 1;
}
static_assert(carriages_are_sound());

bool is_engine_code(uint32_t code) { return code >= 1 && code < ZK_MSG_COUNT; }

std::span<const Slot> slots_of(uint32_t code) {
    return is_engine_code(code) ? kCarriages[static_cast<size_t>(code_info(code).carriage)].slots
                                : std::span<const Slot>{};
}

// The field a slot stands for in a message of the code; false for none.
bool field_of(const Slot& slot, uint32_t code, Field& field) {
    if (!slot.shape_field) {
        field = slot.field;
        return true;
    }
    std::span<const Field> fields = shape_fields(code_info(code).shape);
    if (fields.empty()) return false;
    field = fields.front();
    return true;
}

bool carries_copy(uint32_t code) {
    for (const Slot& slot : slots_of(code))
        if (is_copied(slot.field.kind)) return true;
    return false;
}

uintptr_t placed(uint32_t value, const Slot& slot) {
    if (is_signed(slot.field.kind) && slot.shift == 0)
        return static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(value)));
    return static_cast<uintptr_t>(value & (bits_of(slot) >> slot.shift)) << slot.shift;
}

uint32_t taken(uintptr_t param, const Slot& slot) {
    return static_cast<uint32_t>(param >> slot.shift) & (bits_of(slot) >> slot.shift);
}

// The strings one after another, each with its terminating zero.
char* copy_strings(std::span<const char* const> strings) {
    size_t total = 0;
    for (const char* s : strings) total += std::strlen(s) + 1;
    char* block = static_cast<char*>(std::malloc(total));
    if (!block) return nullptr;
    size_t at = 0;
    for (const char* s : strings) {
        size_t n = std::strlen(s) + 1;
        std::memcpy(block + at, s, n);
        at += n;
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

// Copies the strings into the buffer at their offsets in the block, cutting
// what does not fit; a string that starts past the buffer arrives empty.
void unpack_strings(ZK_Message& m, std::span<const Field> fields, intptr_t lparam, char* buffer) {
    const char* block = reinterpret_cast<const char*>(lparam);
    size_t at = 0;
    for (const Field& f : fields) {
        const char* value = kEmpty;
        if (block && at < kSlotBufferSize) {
            size_t n = strnlen(block + at, kSlotBufferSize - 1 - at);
            std::memcpy(buffer + at, block + at, n);
            buffer[at + n] = 0;
            value = buffer + at;
        }
        set_pointer(m, f, value);
        if (block) at += std::strlen(block + at) + 1;
    }
    std::free(const_cast<char*>(block));
}

// Copies a block's data into the buffer; a fixed-size field gets it only at
// its size, and no block leaves the field null.
void unpack_data(ZK_Message& m, const Field& f, intptr_t lparam, char* buffer) {
    if (!lparam) return;
    uint8_t* block = reinterpret_cast<uint8_t*>(lparam);
    size_t n = (size_t(block[0]) << 8) | block[1];
    if (n > kSlotBufferSize) n = kSlotBufferSize;
    std::memcpy(buffer, block + 2, n);
    std::free(block);
    bool whole = f.size_field >= 0 || n == f.fixed_size;
    set_pointer(m, f, whole ? buffer : nullptr);
    set_data_size(m, f, static_cast<uint16_t>(n));
}

uint16_t declared_size(const ZK_Message& m, const Field& f) {
    if (f.size_field < 0) return 0;
    uint16_t size;
    std::memcpy(&size, reinterpret_cast<const unsigned char*>(&m) + f.size_field, 2);
    return size;
}

// The heap copy of a message's strings or data; 0 without any. Fails with
// an error result for data too large or when memory runs out.
int32_t copy_payload(const ZK_Message& m, std::span<const char* const> strings, const Field* data, void*& copy) {
    copy = nullptr;
    if (!strings.empty()) {
        copy = copy_strings(strings);
        return copy ? 0 : ZK_ERROR_OUT_OF_MEMORY;
    }
    if (!data) return 0;
    if (declared_size(m, *data) > kSlotBufferSize) return ZK_ERROR_INVALID_PARAMETERS;
    if (uint32_t size = data_size(m, *data)) {
        copy = copy_block(get_pointer(m, *data), size);
        if (!copy) return ZK_ERROR_OUT_OF_MEMORY;
    }
    return 0;
}

} // namespace

namespace zk::control {

void discard_posted(const PostedMessage& posted) {
    if (carries_copy(posted.number - ZK_WINDOW_MESSAGE_BASE)) std::free(reinterpret_cast<void*>(posted.lparam));
}

void unpack_message(ZK_Message& m, const PostedMessage& posted, char* buffer) {
    std::memset(&m, 0, sizeof m);
    m.code = posted.number - ZK_WINDOW_MESSAGE_BASE;
    const uintptr_t params[2] = {posted.wparam, static_cast<uintptr_t>(posted.lparam)};
    std::array<Field, kMaxStrings> strings{};
    size_t nb_strings = 0;
    for (const Slot& slot : slots_of(m.code)) {
        Field f;
        if (!field_of(slot, m.code, f)) continue;
        if (f.kind == FieldKind::String)
            strings[nb_strings++] = f;
        else if (f.kind == FieldKind::Data)
            unpack_data(m, f, posted.lparam, buffer);
        else
            set_number(m, f, taken(params[slot.param], slot));
    }
    if (nb_strings) unpack_strings(m, std::span(strings.data(), nb_strings), posted.lparam, buffer);
}

} // namespace zk::control

extern "C" ZK_API int32_t control_message_to_win32_params(const ZK_Message* message, uint32_t* number,
                                                          uintptr_t* wparam, intptr_t* lparam) {
    if (!message || !number || !wparam || !lparam) return ZK_ERROR_INVALID_PARAMETERS;
    const ZK_Message& m = *message;
    uintptr_t params[2] = {0, 0};
    std::array<const char*, kMaxStrings> strings{};
    size_t nb_strings = 0;
    Field data{};
    bool has_data = false;
    for (const Slot& slot : slots_of(m.code)) {
        Field f;
        if (!field_of(slot, m.code, f)) continue;
        if (f.kind == FieldKind::String) {
            const char* s = static_cast<const char*>(get_pointer(m, f));
            strings[nb_strings++] = s ? s : kEmpty;
        } else if (f.kind == FieldKind::Data) {
            data = f;
            has_data = true;
        } else {
            params[slot.param] |= placed(get_number(m, f), slot);
        }
    }
    void* copy;
    if (int32_t result = copy_payload(m, std::span(strings.data(), nb_strings), has_data ? &data : nullptr, copy))
        return result;
    if (copy) params[kL] = reinterpret_cast<uintptr_t>(copy);
    *number = ZK_WINDOW_MESSAGE_BASE + m.code;
    *wparam = params[kW];
    *lparam = static_cast<intptr_t>(params[kL]);
    return 0;
}
