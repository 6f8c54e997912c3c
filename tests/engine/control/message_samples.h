// A filled sample message for every code, for round trips.
#pragma once

#include "control/message_table.h"
#include "zelkor.h"

#include <cstring>
#include <string>

namespace zk::test {

inline const int8_t* sample_equalizer() {
    static int8_t bands[64];
    for (int i = 0; i < 64; ++i) bands[i] = static_cast<int8_t>(i * 4 - 128);
    return bands;
}

// A message of the given code with every payload field set to something
// distinctive (strings point at static texts).
inline ZK_Message sample_message(uint32_t code) {
    using zk::control::Shape;
    static const uint8_t data[] = {1, 2, 3, 4, 5};
    static uint8_t samples[256];
    ZK_Message m{};
    m.code = code;
    switch (zk::control::code_info(code).shape) {
    case Shape::None: break;
    case Shape::Tag: m.tag.tag = -123456; break;
    case Shape::Seek:
        m.seek.offset = 5;
        m.seek.range = 400;
        break;
    case Shape::Name: m.name.name = "some/file.mp3"; break;
    case Shape::ModuleMessage:
        m.module_message.type = 7;
        m.module_message.size = 5;
        m.module_message.data = data;
        break;
    case Shape::Filter:
        m.filter.id = -2;
        m.filter.name = "filter";
        break;
    case Shape::ModuleId: m.module_id.id = -1; break;
    case Shape::Value: m.value.mode = 0x80000001u; break;
    case Shape::EnvironmentInteger:
        m.environment_integer.name = "A.B";
        m.environment_integer.value = -42;
        break;
    case Shape::EnvironmentString:
        m.environment_string.name = "X";
        m.environment_string.value = "value";
        break;
    case Shape::Volume:
        m.volume.master_level = 10;
        m.volume.pcm_level = 20;
        m.volume.balance = 30;
        break;
    case Shape::Balance: m.volume.balance = 30; break;
    case Shape::PcmLevel: m.volume.pcm_level = 20; break;
    case Shape::MasterLevel: m.volume.master_level = 10; break;
    case Shape::Byte: m.byte.channels = 3; break;
    case Shape::Equalizer: m.equalizer.equalizer = sample_equalizer(); break;
    case Shape::Nack:
        m.nack.command = 6;
        m.nack.code = -513;
        break;
    case Shape::Timecode:
        m.timecode.hours = 1;
        m.timecode.minutes = 2;
        m.timecode.seconds = 3;
        m.timecode.fractions = 50;
        break;
    case Shape::StreamInfo:
        m.stream_info.level = 1;
        m.stream_info.layer = 3;
        m.stream_info.bitrate = 320;
        m.stream_info.frequency = 44100;
        m.stream_info.mode = 1;
        break;
    case Shape::ModuleInfo:
        m.module_info.id = 1;
        m.module_info.nb_devices = 2;
        m.module_info.name = "mod";
        m.module_info.description = "desc";
        break;
    case Shape::DeviceInfo:
        m.device_info.module_id = 1;
        m.device_info.index = 2;
        m.device_info.flags = 3;
        m.device_info.name = "dev";
        m.device_info.description = "device";
        break;
    case Shape::Progress:
        m.progress.source = 1;
        m.progress.code = 21;
        m.progress.value = -5;
        m.progress.message = "filling";
        break;
    case Shape::Debug:
        m.debug.source = 1;
        m.debug.level = 2;
        m.debug.message = "trace";
        break;
    case Shape::Error:
        m.error.source = 1;
        m.error.code = -600;
        m.error.message = "bad";
        break;
    case Shape::FeedbackEvent:
        m.feedback_event.seconds = 10;
        m.feedback_event.mseconds = 999999;
        m.feedback_event.channels = 2;
        m.feedback_event.nb_samples = 256;
        m.feedback_event.samples = samples;
        break;
    case Shape::TagEvent:
        m.tag_event.seconds = 1;
        m.tag_event.mseconds = 2;
        m.tag_event.tag = -3;
        break;
    }
    return m;
}

inline std::string text_or_empty(const char* s) { return s ? s : ""; }

} // namespace zk::test
