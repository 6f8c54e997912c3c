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

// Information on a code; code 0 and codes above 112 give the entry of
// ZK_MSG_UNKNOWN (shape None).
const CodeInfo& code_info(uint32_t code);

// Codes that control_message_send refuses: 0, 87, 106-108 and above 112.
bool is_sendable(uint32_t code);
// Codes that have a byte serialisation: 1-105 and 109-112.
bool is_serialisable(uint32_t code);

} // namespace zk::control
