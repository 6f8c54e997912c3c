// What each control message code carries: its payload shape and how the
// payload travels in the two parameters of a posted (window) message.
#pragma once

#include "zelkor.h"

#include <cstdint>

namespace zk::control {

enum class Shape : uint8_t {
    None,
    Tag,
    Seek,
    Name,
    ModuleMessage,
    Filter,
    ModuleId,
    Value,
    EnvironmentInteger,
    EnvironmentString,
    Volume,
    Balance,
    PcmLevel,
    MasterLevel,
    Byte,
    Equalizer,
    Nack,
    Timecode,
    StreamInfo,
    ModuleInfo,
    DeviceInfo,
    Progress,
    Debug,
    Error,
    FeedbackEvent,
    TagEvent
};

// Window carriage of a payload. wP/lP are the first and second parameter;
// str, pair and blk are heap copies that travel with the posted message.
enum class Carriage : uint8_t {
    Nothing,            // both parameters zero
    TagInL,             // lP = tag
    OffsetRange,        // wP = offset, lP = range
    NameInL,            // lP = str
    ModuleMessage,      // wP = type, lP = blk
    FilterIdName,       // wP = id (sign-extended), lP = str
    ModuleIdInW,        // wP = id (sign-extended)
    ValueInW,           // wP = value
    ValueInL,           // lP = value
    EnvironmentInteger, // wP = value, lP = str (name)
    EnvironmentString,  // lP = pair
    Volume,             // wP b0 = balance, b1 = pcm level, b2 = master level
    ByteInW,            // wP = the byte (or the one volume level)
    Equalizer,          // lP = blk of 64 bytes, or 0
    Nack,               // wP = command, lP = code (sign-extended)
    Timecode,           // wP b0..b3 = hours, minutes, seconds, fractions
    StreamInfo,         // wP b0 level, b1 layer, b2 mode; lP lo bitrate, hi frequency
    ModuleInfo,         // wP b0 id, b1 nb_devices; lP = pair
    DeviceInfo,         // wP b0 module id, b1 index, b2 flags; lP = pair
    Progress,           // wP b0 source, b1 code, hi value; lP = str
    Debug,              // wP b0 source, b1 level; lP = str
    Error               // wP b0 source, hi code; lP = str
};

struct CodeInfo {
    const char* name; // "ZK_MSG_COMMAND_PLAY"
    Shape shape;
    Carriage carriage;
};

namespace code_table {

using S = Shape;
using C = Carriage;

#define ZK_CODE(name, shape, carriage)                                                                                 \
    { #name, shape, carriage }

// Indexed by code.
inline constexpr CodeInfo kCodes[ZK_MSG_COUNT] = {
    ZK_CODE(ZK_MSG_UNKNOWN, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_EXIT, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_PING, S::Tag, C::TagInL),
    ZK_CODE(ZK_MSG_COMMAND_PLAY, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_PAUSE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_STOP, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_SEEK, S::Seek, C::OffsetRange),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_OPEN, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_CLOSE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_SEND_MESSAGE, S::ModuleMessage, C::ModuleMessage),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_ADD_FILTER, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_REMOVE_FILTER, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_FILTERS_LIST, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_MODULE_REGISTER, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_MODULE_QUERY, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_COMMAND_INPUT_MODULES_LIST, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_OPEN, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_CLOSE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_SEND_MESSAGE, S::ModuleMessage, C::ModuleMessage),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_MUTE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_UNMUTE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_RESET, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_DRAIN, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_ADD_FILTER, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_REMOVE_FITLER, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_FILTERS_LIST, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_MODULE_QUERY, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_COMMAND_OUTPUT_MODULES_LIST, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_PLAYER_MODE, S::Value, C::ValueInW),
    ZK_CODE(ZK_MSG_GET_PLAYER_MODE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, S::EnvironmentInteger, C::EnvironmentInteger),
    ZK_CODE(ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING, S::EnvironmentString, C::EnvironmentString),
    ZK_CODE(ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_UNSET_PLAYER_ENVIRONMENT, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_SET_INPUT_NAME, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_GET_INPUT_NAME, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_INPUT_MODULE, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_GET_INPUT_MODULE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_INPUT_POSITION_RANGE, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_GET_INPUT_POSITION_RANGE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_GET_INPUT_TIMECODE_GRANULARITY, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_OUTPUT_NAME, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_GET_OUTPUT_NAME, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_OUTPUT_MODULE, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_GET_OUTPUT_MODULE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_OUTPUT_VOLUME, S::Volume, C::Volume),
    ZK_CODE(ZK_MSG_GET_OUTPUT_VOLUME, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_OUTPUT_CHANNELS, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_GET_OUTPUT_CHANNELS, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_OUTPUT_PORTS, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_GET_OUTPUT_PORTS, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_FEEDBACK_RATE, S::Byte, C::Nothing),
    ZK_CODE(ZK_MSG_GET_FEEDBACK_RATE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_CODEC_EQUALIZER, S::Equalizer, C::Equalizer),
    ZK_CODE(ZK_MSG_GET_CODEC_EQUALIZER, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_NOTIFICATION_MASK, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_GET_NOTIFICATION_MASK, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_SET_DEBUG_LEVEL, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_GET_DEBUG_LEVEL, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_READY, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_ACK, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_NACK, S::Nack, C::Nack),
    ZK_CODE(ZK_MSG_NOTIFY_PONG, S::Tag, C::TagInL),
    ZK_CODE(ZK_MSG_NOTIFY_EXITED, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_PLAYER_STATE, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_PLAYER_MODE, S::Value, C::ValueInW),
    ZK_CODE(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER, S::EnvironmentInteger, C::EnvironmentInteger),
    ZK_CODE(ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING, S::EnvironmentString, C::EnvironmentString),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_STATE, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_NAME, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_CAPS, S::Value, C::ValueInW),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_POSITION, S::Seek, C::OffsetRange),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_POSITION_RANGE, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_TIMECODE, S::Timecode, C::Timecode),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_DURATION, S::Value, C::ValueInW),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_STREAM_INFO, S::StreamInfo, C::StreamInfo),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_MODULE, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_MODULE_INFO, S::ModuleInfo, C::ModuleInfo),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_DEVICE_INFO, S::DeviceInfo, C::DeviceInfo),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_FILTER_INFO, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_STATE, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_NAME, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_CAPS, S::Value, C::ValueInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_VOLUME, S::Volume, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_BALANCE, S::Balance, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL, S::PcmLevel, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL, S::MasterLevel, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_CHANNELS, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_PORTS, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE, S::Byte, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_MODULE, S::ModuleId, C::ModuleIdInW),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO, S::ModuleInfo, C::ModuleInfo),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO, S::DeviceInfo, C::DeviceInfo),
    ZK_CODE(ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO, S::Filter, C::FilterIdName),
    ZK_CODE(ZK_MSG_NOTIFY_CODEC_EQUALIZER, S::Equalizer, C::Equalizer),
    ZK_CODE(ZK_MSG_NOTIFY_NOTIFICATION_MASK, S::Value, C::ValueInL),
    ZK_CODE(ZK_MSG_NOTIFY_DEBUG_LEVEL, S::Byte, C::ByteInW),
    ZK_CODE(ZK_MSG_NOTIFY_PROGRESS, S::Progress, C::Progress),
    ZK_CODE(ZK_MSG_NOTIFY_DEBUG, S::Debug, C::Debug),
    ZK_CODE(ZK_MSG_NOTIFY_ERROR, S::Error, C::Error),
    ZK_CODE(ZK_MSG_QUEUE_FEEDBACK_EVENT, S::FeedbackEvent, C::Nothing),
    ZK_CODE(ZK_MSG_QUEUE_TAG_EVENT, S::TagEvent, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_FEEDBACK_PAUSE, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_FEEDBACK_RESTART, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_COMMAND_FEEDBACK_FLUSH, S::None, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_FEEDBACK_EVENT, S::FeedbackEvent, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_TAG_EVENT, S::TagEvent, C::Nothing),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_STREAM_TITLE, S::Name, C::NameInL),
    ZK_CODE(ZK_MSG_NOTIFY_INPUT_STREAM_NAME, S::Name, C::NameInL),
};

#undef ZK_CODE

} // namespace code_table

// Information on a code; code 0 and codes above 112 give the entry of
// ZK_MSG_UNKNOWN (shape None).
constexpr const CodeInfo& code_info(uint32_t code) { return code_table::kCodes[code < ZK_MSG_COUNT ? code : 0]; }

// Codes that control_message_send refuses: 0, 87, 106-108 and above 112.
bool is_sendable(uint32_t code);
// Codes that have a byte serialisation: 1-105 and 109-112.
bool is_serialisable(uint32_t code);

} // namespace zk::control
