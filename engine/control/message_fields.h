// The payload fields of each shape, in serialisation order, as offsets into
// ZK_Message: one description drives serialising, deserialising, sending and
// the engine's own notifications, whose arguments it checks at compile time.
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

namespace field_lists {

#define AT(member) offsetof(ZK_Message, member)

constexpr Field u8(size_t at) { return {FieldKind::U8, at, -1, 0}; }
constexpr Field u16(size_t at) { return {FieldKind::U16, at, -1, 0}; }
constexpr Field i16(size_t at) { return {FieldKind::I16, at, -1, 0}; }
constexpr Field u32(size_t at) { return {FieldKind::U32, at, -1, 0}; }
constexpr Field i32(size_t at) { return {FieldKind::I32, at, -1, 0}; }
constexpr Field text(size_t at) { return {FieldKind::String, at, -1, 0}; }
constexpr Field data(size_t at, ptrdiff_t size_at) { return {FieldKind::Data, at, size_at, 0}; }
constexpr Field fixed_data(size_t at, uint16_t bytes) { return {FieldKind::Data, at, -1, bytes}; }

inline constexpr Field kTag[] = {i32(AT(tag.tag))};
inline constexpr Field kSeek[] = {u32(AT(seek.offset)), u32(AT(seek.range))};
inline constexpr Field kName[] = {text(AT(name.name))};
inline constexpr Field kModuleMessage[] = {u16(AT(module_message.type)),
                                           data(AT(module_message.data), AT(module_message.size))};
inline constexpr Field kFilter[] = {text(AT(filter.name)), i16(AT(filter.id))};
inline constexpr Field kModuleId[] = {i16(AT(module_id.id))};
inline constexpr Field kValue[] = {u32(AT(value.mode))};
inline constexpr Field kEnvironmentInteger[] = {text(AT(environment_integer.name)), i32(AT(environment_integer.value))};
inline constexpr Field kEnvironmentString[] = {text(AT(environment_string.name)), text(AT(environment_string.value))};
inline constexpr Field kVolume[] = {u8(AT(volume.master_level)), u8(AT(volume.pcm_level)), u8(AT(volume.balance))};
inline constexpr Field kBalance[] = {u8(AT(volume.balance))};
inline constexpr Field kPcmLevel[] = {u8(AT(volume.pcm_level))};
inline constexpr Field kMasterLevel[] = {u8(AT(volume.master_level))};
inline constexpr Field kByte[] = {u8(AT(byte.channels))};
inline constexpr Field kEqualizer[] = {fixed_data(AT(equalizer.equalizer), 64)};
inline constexpr Field kNack[] = {u8(AT(nack.command)), i16(AT(nack.code))};
inline constexpr Field kTimecode[] = {u8(AT(timecode.hours)), u8(AT(timecode.minutes)), u8(AT(timecode.seconds)),
                                      u8(AT(timecode.fractions))};
inline constexpr Field kStreamInfo[] = {u8(AT(stream_info.level)), u8(AT(stream_info.layer)),
                                        u16(AT(stream_info.bitrate)), u16(AT(stream_info.frequency)),
                                        u8(AT(stream_info.mode))};
inline constexpr Field kModuleInfo[] = {u8(AT(module_info.id)), u8(AT(module_info.nb_devices)),
                                        text(AT(module_info.name)), text(AT(module_info.description))};
inline constexpr Field kDeviceInfo[] = {u8(AT(device_info.module_id)), u8(AT(device_info.index)),
                                        u8(AT(device_info.flags)), text(AT(device_info.name)),
                                        text(AT(device_info.description))};
inline constexpr Field kProgress[] = {u8(AT(progress.source)), u8(AT(progress.code)), i16(AT(progress.value)),
                                      text(AT(progress.message))};
inline constexpr Field kDebug[] = {u8(AT(debug.source)), u8(AT(debug.level)), text(AT(debug.message))};
inline constexpr Field kError[] = {u8(AT(error.source)), i16(AT(error.code)), text(AT(error.message))};
inline constexpr Field kFeedbackEvent[] = {u32(AT(feedback_event.seconds)), u32(AT(feedback_event.mseconds)),
                                           u16(AT(feedback_event.channels)),
                                           data(AT(feedback_event.samples), AT(feedback_event.nb_samples))};
inline constexpr Field kTagEvent[] = {u32(AT(tag_event.seconds)), u32(AT(tag_event.mseconds)), i32(AT(tag_event.tag))};

#undef AT

} // namespace field_lists

// Known at compile time, so that senders can be checked against it.
constexpr std::span<const Field> shape_fields(Shape shape) {
    using namespace field_lists;
    switch (shape) {
    case Shape::None: return {};
    case Shape::Tag: return kTag;
    case Shape::Seek: return kSeek;
    case Shape::Name: return kName;
    case Shape::ModuleMessage: return kModuleMessage;
    case Shape::Filter: return kFilter;
    case Shape::ModuleId: return kModuleId;
    case Shape::Value: return kValue;
    case Shape::EnvironmentInteger: return kEnvironmentInteger;
    case Shape::EnvironmentString: return kEnvironmentString;
    case Shape::Volume: return kVolume;
    case Shape::Balance: return kBalance;
    case Shape::PcmLevel: return kPcmLevel;
    case Shape::MasterLevel: return kMasterLevel;
    case Shape::Byte: return kByte;
    case Shape::Equalizer: return kEqualizer;
    case Shape::Nack: return kNack;
    case Shape::Timecode: return kTimecode;
    case Shape::StreamInfo: return kStreamInfo;
    case Shape::ModuleInfo: return kModuleInfo;
    case Shape::DeviceInfo: return kDeviceInfo;
    case Shape::Progress: return kProgress;
    case Shape::Debug: return kDebug;
    case Shape::Error: return kError;
    case Shape::FeedbackEvent: return kFeedbackEvent;
    case Shape::TagEvent: return kTagEvent;
    }
    return {};
}

} // namespace zk::control
