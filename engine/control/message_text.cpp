// One line of debug text per control message.
#include "control/message_table.h"
#include "zelkor.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

using zk::control::code_info;

namespace {

// Appends formatted text to a bounded buffer, cutting what does not fit.
class Line {
public:
    Line(char* text, size_t size) : text_(text), size_(size) {
        if (size_) text_[0] = 0;
    }

    __attribute__((format(printf, 2, 3))) void add(const char* format, ...) {
        if (used_ + 1 >= size_) return;
        va_list args;
        va_start(args, format);
        int n = std::vsnprintf(text_ + used_, size_ - used_, format, args);
        va_end(args);
        if (n > 0) used_ = std::min(size_ - 1, used_ + static_cast<size_t>(n));
    }

    int32_t length() const { return static_cast<int32_t>(used_); }

private:
    char* text_;
    size_t size_;
    size_t used_ = 0;
};

const char* text(const char* s) { return s ? s : ""; }

const char* command_name(uint32_t code) { return code < ZK_MSG_COUNT ? code_info(code).name : "ZK_INTERNAL_ERROR"; }

void add_channels(Line& line, uint8_t channels) {
    static const char* const names[] = {"[STEREO]", "[LEFT]", "[RIGHT]", "[MIX]"};
    if (channels < 4) line.add("%s", names[channels]);
}

void add_ports(Line& line, uint8_t ports) {
    const char* separator = "";
    if (ports & ZK_OUTPUT_PORT_LINE) {
        line.add("%sLINE", separator);
        separator = "+";
    }
    if (ports & ZK_OUTPUT_PORT_SPEAKER) {
        line.add("%sSPEAKER", separator);
        separator = "+";
    }
    if (ports & ZK_OUTPUT_PORT_HEADPHONE) line.add("%sHEADPHONE", separator);
    line.add("]");
}

void add_equalizer(Line& line, const char* verb, const int8_t* bands) {
    if (!bands) {
        line.add("MSG %s codec equalizer [NULL]", verb);
        return;
    }
    line.add("MSG %s codec equalizer [left={", verb);
    for (int i = 0; i < 32; ++i) line.add("%0+4d ", bands[i]);
    line.add("}, right={");
    for (int i = 32; i < 64; ++i) line.add("%0+4d ", bands[i]);
    line.add("}]");
}

void add_feedback(Line& line, const char* verb, const ZK_Message& m) {
    const auto& e = m.feedback_event;
    line.add("MSG command %s feedback event [seconds=%ld, mseconds=%ld, channels=%d, nb_samples=%d, samples={", verb,
             long(e.seconds), long(e.mseconds), e.channels, e.nb_samples);
    if (e.samples)
        for (int i = 0; i < e.nb_samples; ++i) line.add("%02x ", e.samples[i]);
    line.add("}]");
}

void describe(Line& line, const ZK_Message& m) {
    static const char* const states[] = {"[STOPPED]", "[PLAYING]", "[PAUSED]", "[EOF]"};
    static const char* const modes[] = {"STEREO", "JOINT-STEREO", "DUAL-CHANNEL", "MONO"};
    switch (m.code) {
    case 1: line.add("MSG command exit"); break;
    case 2: line.add("MSG command ping [%ld]", long(m.tag.tag)); break;
    case 3: line.add("MSG command play"); break;
    case 4: line.add("MSG command pause"); break;
    case 5: line.add("MSG command stop"); break;
    case 6: line.add("MSG command seek [offset=%ld, range=%ld]", long(m.seek.offset), long(m.seek.range)); break;
    case 7: line.add("MSG command input open [%s]", text(m.name.name)); break;
    case 8: line.add("MSG command input close"); break;
    case 9:
    case 18:
        line.add("MSG command %s send message [type=%d, data=%lx, size=%d]", m.code == 9 ? "input" : "output",
                 m.module_message.type, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(m.module_message.data)),
                 m.module_message.size);
        break;
    case 10: line.add("MSG command input add filter [name=%s, id=%d]", text(m.filter.name), m.filter.id); break;
    case 11: line.add("MSG command input remove filter [name=%s, id=%d]", text(m.filter.name), m.filter.id); break;
    case 12: line.add("MSG command input fiters list"); break;
    case 13: line.add("MSG command input module register [%s]", text(m.name.name)); break;
    case 14: line.add("MSG command input module query [%d]", m.module_id.id); break;
    case 15: line.add("MSG command input modules list"); break;
    case 16: line.add("MSG command output open [%s]", text(m.name.name)); break;
    case 17: line.add("MSG command output close"); break;
    case 19: line.add("MSG command output mute"); break;
    case 20: line.add("MSG command output unmute"); break;
    case 21: line.add("MSG command output reset"); break;
    case 22: line.add("MSG command output drain"); break;
    case 23: line.add("MSG command output add filter [name=%s, where=%d]", text(m.filter.name), m.filter.id); break;
    case 24: line.add("MSG command output remove filter [name=%s, where=%d]", text(m.filter.name), m.filter.id); break;
    case 25: line.add("MSG command output fiters list"); break;
    case 26: line.add("MSG command output module register [%s]", text(m.name.name)); break;
    case 27: line.add("MSG command output module query [%d]", m.module_id.id); break;
    case 28: line.add("MSG command output modules list"); break;
    case 29: line.add("MSG set player mode [%ld]", long(m.value.mode)); break;
    case 30: line.add("MSG get player mode"); break;
    case 31:
        line.add("MSG set player environment integer [name=%s value=%ld]", text(m.environment_integer.name),
                 long(m.environment_integer.value));
        break;
    case 32: line.add("MSG get player environment integer [%s]", text(m.name.name)); break;
    case 33:
        line.add("MSG set player environment string [name=%s string=%s]", text(m.environment_string.name),
                 text(m.environment_string.value));
        break;
    case 34: line.add("MSG get player environment string [%s]", text(m.name.name)); break;
    case 35: line.add("MSG unset player environment [%s]", text(m.name.name)); break;
    case 36: line.add("MSG set input name [%s]", text(m.name.name)); break;
    case 37: line.add("MSG get input name"); break;
    case 38: line.add("MSG set input module [%d]", m.module_id.id); break;
    case 39: line.add("MSG get input module"); break;
    case 40: line.add("MSG set input position range [%ld]", long(m.value.range)); break;
    case 41: line.add("MSG get input position range"); break;
    case 42: line.add("MSG set input timecode granularity [%ld]", long(m.value.granularity)); break;
    case 43: line.add("MSG get input timecode granularity"); break;
    case 44: line.add("MSG set output name [%s]", text(m.name.name)); break;
    case 45: line.add("MSG get output name"); break;
    case 46: line.add("MSG set output module [%d]", m.module_id.id); break;
    case 47: line.add("MSG get output module"); break;
    case 48:
    case 87:
        line.add("MSG %s output volume [balance=%d, level=%d, master = %d]", m.code == 48 ? "set" : "notify",
                 m.volume.balance, m.volume.pcm_level, m.volume.master_level);
        break;
    case 49: line.add("MSG get output volume"); break;
    case 50:
        line.add("MSG set output channels ");
        add_channels(line, m.byte.channels);
        break;
    case 51: line.add("MSG get output channels"); break;
    case 52:
        line.add("MSG set output ports [");
        add_ports(line, m.byte.ports);
        break;
    case 53: line.add("MSG get output ports"); break;
    case 54: line.add("MSG set feedback rate [%d]", m.byte.rate); break;
    case 55: line.add("MSG get feedback rate"); break;
    case 56: add_equalizer(line, "set", m.equalizer.equalizer); break;
    case 57: line.add("MSG get codec equalizer"); break;
    case 58: line.add("MSG set notification mask [%lx]", static_cast<unsigned long>(m.value.mask)); break;
    case 59: line.add("MSG get notify mask"); break;
    case 60: line.add("MSG command set debug level [%d]", m.byte.level); break;
    case 61: line.add("MSG get debug level"); break;
    case 62: line.add("MSG notify ready"); break;
    case 63: line.add("MSG notify ack [%s]", command_name(m.byte.command)); break;
    case 64:
        line.add("MSG notify nack [command=%s, code=%d, string=\"%s\"]", command_name(m.nack.command), m.nack.code,
                 zelkor_error_string(m.nack.code));
        break;
    case 65: line.add("MSG notify pong [%ld]", long(m.tag.tag)); break;
    case 66: line.add("MSG notify exited"); break;
    case 67: line.add("MSG notify player state %s", m.byte.state < 4 ? states[m.byte.state] : "[UNKNOWN]"); break;
    case 68: line.add("MSG notify player mode [%ld]", long(m.value.mode)); break;
    case 69:
        line.add("MSG notify player environment integer [name=%s, value=%ld]", text(m.environment_integer.name),
                 long(m.environment_integer.value));
        break;
    case 70:
        line.add("MSG notify player environment string [name=%s, value=%s]", text(m.environment_string.name),
                 text(m.environment_string.value));
        break;
    case 71: line.add("MSG notify input state [%s]", m.byte.state == 0 ? "OPEN" : "CLOSED"); break;
    case 72: line.add("MSG notify input name [%s]", text(m.name.name)); break;
    case 73: line.add("MSG notify input caps [%ld]", long(m.value.caps)); break;
    case 74: line.add("MSG notify position [offset=%ld, range=%ld]", long(m.seek.offset), long(m.seek.range)); break;
    case 75: line.add("MSG notify input duration range [%ld]", long(m.value.range)); break;
    case 76:
        line.add("MSG notify timecode [%02d:%02d:%02d:%02d]", m.timecode.hours, m.timecode.minutes, m.timecode.seconds,
                 m.timecode.fractions);
        break;
    case 77: line.add("MSG notify input timecode granularity [%ld]", long(m.value.granularity)); break;
    case 78: line.add("MSG notify duration [%ld]", long(m.value.duration)); break;
    case 79:
        line.add("MSG notify stream info [level=%d, layer=%d, bitrate=%d, frequency=%d, mode=%s]", m.stream_info.level,
                 m.stream_info.layer, m.stream_info.bitrate, m.stream_info.frequency,
                 m.stream_info.mode < 4 ? modes[m.stream_info.mode] : "UNKNOWN");
        break;
    case 80: line.add("MSG notify input module [%d]", m.module_id.id); break;
    case 81:
    case 95:
        line.add("MSG notify %s module info [id=%d, nb_devices=%d, name=\"%s\", description=\"%s\"]",
                 m.code == 81 ? "input" : "output", m.module_info.id, m.module_info.nb_devices,
                 text(m.module_info.name), text(m.module_info.description));
        break;
    case 82:
    case 96:
        line.add("MSG notify %s device info [module_id=%d, index=%d, flags=%x, name=\"%s\", description=\"%s\"]",
                 m.code == 82 ? "input" : "output", m.device_info.module_id, m.device_info.index, m.device_info.flags,
                 text(m.device_info.name), text(m.device_info.description));
        break;
    case 83: line.add("MSG notify input filter info [name=%s, id=%d]", text(m.filter.name), m.filter.id); break;
    case 84: line.add("MSG notify output state [%s]", m.byte.state == 0 ? "OPEN" : "CLOSED"); break;
    case 85: line.add("MSG notify output name [%s]", text(m.name.name)); break;
    case 86: line.add("MSG notify output caps [%ld]", long(m.value.caps)); break;
    case 88: line.add("MSG notify output balance [%d]", m.volume.balance); break;
    case 89: line.add("MSG notify output pcm level [%d]", m.volume.pcm_level); break;
    case 90: line.add("MSG notify output master level [%d]", m.volume.master_level); break;
    case 91:
        line.add("MSG notify output channels ");
        add_channels(line, m.byte.channels);
        break;
    case 92:
        line.add("MSG notify output ports [");
        add_ports(line, m.byte.ports);
        break;
    case 93: line.add("MSG notify feedback rate [%d]", m.byte.rate); break;
    case 94: line.add("MSG notify output module [%d]", m.module_id.id); break;
    case 97: line.add("MSG notify output filter info [name=%s, where=%d]", text(m.filter.name), m.filter.id); break;
    case 98: add_equalizer(line, "notify", m.equalizer.equalizer); break;
    case 99: line.add("MSG notify notification mask [%lx]", static_cast<unsigned long>(m.value.mask)); break;
    case 100: line.add("MSG notify debug level [%d]", m.byte.level); break;
    case 101:
        line.add("MSG notify progress [source=%d, code=%d, value=%d, message=\"%s\"]", m.progress.source,
                 m.progress.code, m.progress.value, text(m.progress.message));
        break;
    case 102:
        line.add("MSG notify debug [source=%d, level=%d, message=\"%s\"]", m.debug.source, m.debug.level,
                 text(m.debug.message));
        break;
    case 103:
        line.add("MSG notify error [source=%d, code=%d, message=\"%s\"]", m.error.source, m.error.code,
                 text(m.error.message));
        break;
    case 104: add_feedback(line, "queue", m); break;
    case 109: add_feedback(line, "notify", m); break;
    case 105:
    case 110:
        line.add("MSG command %s tag event [seconds=%ld, mseconds=%ld, tag=%ld]", m.code == 105 ? "queue" : "notify",
                 long(m.tag_event.seconds), long(m.tag_event.mseconds), long(m.tag_event.tag));
        break;
    case 111: line.add("MSG notify input stream title [%s]", text(m.name.name)); break;
    case 112: line.add("MSG notify input stream name [%s]", text(m.name.name)); break;
    default: line.add("MSG unknown"); break;
    }
}

constexpr size_t kPrintBufferSize = 2048;

} // namespace

extern "C" ZK_API int32_t control_message_snprint(char* text, size_t size, const ZK_Message* message) {
    if (!text || !message || size == 0) return ZK_ERROR_INVALID_PARAMETERS;
    Line line(text, size);
    describe(line, *message);
    return line.length();
}

extern "C" ZK_API int32_t control_message_sprint(char* text, const ZK_Message* message) {
    if (!text || !message) return ZK_ERROR_INVALID_PARAMETERS;
    control_message_snprint(text, kPrintBufferSize, message);
    return 0;
}

extern "C" ZK_API int32_t control_message_print(const ZK_Message* message) {
    if (!message) return ZK_ERROR_INVALID_PARAMETERS;
    char text[kPrintBufferSize];
    control_message_snprint(text, sizeof text, message);
    std::printf("%s\n", text);
    return 0;
}
