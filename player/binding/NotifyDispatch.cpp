#include "player/binding/NotifyDispatch.h"

#include <cstring>
#include <utility>

namespace {

// Calls a copy of the handler, so that a handler may reassign its own slot.
template <typename Handler, typename... Args> void Raise(const Handler& slot, Args&&... args) {
    if (Handler handler = slot) handler(std::forward<Args>(args)...);
}

QString Text(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// Radio servers send their titles as UTF-8 or, as often, Latin-1.
QString StreamText(const char* text) {
    if (!text) return {};
    const QByteArray bytes(text);
    return QUtf8StringView(bytes).isValidUtf8() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

void RaiseEqualizer(QObject* Sender, const TZelkorEvents& Events, const ZK_Message& Msg) {
    if (!Msg.equalizer.equalizer) return;
    ZK_EqualizerInfo bands;
    std::memcpy(&bands, Msg.equalizer.equalizer, sizeof bands);
    Raise(Events.OnNotifyCodecEqualizer, Sender, std::as_const(bands));
}

} // namespace

void DispatchNotification(QObject* Sender, const TZelkorEvents& Events, ZK_Message& Msg) {
    Raise(Events.OnNotifyMessage, Sender, Msg);
    const ZK_Message& m = Msg;
    switch (m.code) {
    case ZK_MSG_NOTIFY_READY: Raise(Events.OnNotifyReady, Sender); break;
    case ZK_MSG_NOTIFY_ACK: Raise(Events.OnNotifyAck, Sender, m.byte.command); break;
    case ZK_MSG_NOTIFY_NACK: Raise(Events.OnNotifyNack, Sender, m.nack.command, m.nack.code); break;
    case ZK_MSG_NOTIFY_PONG: Raise(Events.OnNotifyPong, Sender, static_cast<uint32_t>(m.tag.tag)); break;
    case ZK_MSG_NOTIFY_EXITED: Raise(Events.OnNotifyExited, Sender); break;
    case ZK_MSG_NOTIFY_PLAYER_STATE: Raise(Events.OnNotifyPlayerState, Sender, int32_t{m.byte.state}); break;
    case ZK_MSG_NOTIFY_PLAYER_MODE: Raise(Events.OnNotifyPlayerMode, Sender, static_cast<int32_t>(m.value.mode)); break;
    case ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER:
        Raise(Events.OnNotifyPlayerEnvironmentInteger, Sender, Text(m.environment_integer.name),
              m.environment_integer.value);
        break;
    case ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING:
        Raise(Events.OnNotifyPlayerEnvironmentString, Sender, Text(m.environment_string.name),
              Text(m.environment_string.value));
        break;
    case ZK_MSG_NOTIFY_INPUT_STATE: Raise(Events.OnNotifyInputState, Sender, int32_t{m.byte.state}); break;
    case ZK_MSG_NOTIFY_INPUT_NAME: Raise(Events.OnNotifyInputName, Sender, Text(m.name.name)); break;
    case ZK_MSG_NOTIFY_INPUT_CAPS: Raise(Events.OnNotifyInputCaps, Sender, m.value.caps); break;
    case ZK_MSG_NOTIFY_INPUT_POSITION: Raise(Events.OnNotifyInputPosition, Sender, m.seek.offset, m.seek.range); break;
    case ZK_MSG_NOTIFY_INPUT_POSITION_RANGE:
        Raise(Events.OnNotifyInputPositionRange, Sender, static_cast<int32_t>(m.value.range));
        break;
    case ZK_MSG_NOTIFY_INPUT_TIMECODE:
        Raise(Events.OnNotifyInputTimecode, Sender, m.timecode.hours, m.timecode.minutes, m.timecode.seconds,
              m.timecode.fractions);
        break;
    case ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY:
        Raise(Events.OnNotifyInputTimecodeGranularity, Sender, m.value.granularity);
        break;
    case ZK_MSG_NOTIFY_INPUT_DURATION: Raise(Events.OnNotifyInputDuration, Sender, m.value.duration); break;
    case ZK_MSG_NOTIFY_INPUT_STREAM_INFO:
        Raise(Events.OnNotifyInputStreamInfo, Sender, m.stream_info.level, m.stream_info.layer, m.stream_info.bitrate,
              m.stream_info.frequency, m.stream_info.mode);
        break;
    case ZK_MSG_NOTIFY_INPUT_MODULE: Raise(Events.OnNotifyInputModule, Sender, m.module_id.id); break;
    case ZK_MSG_NOTIFY_INPUT_MODULE_INFO:
        Raise(Events.OnNotifyInputModuleInfo, Sender, m.module_info.id, m.module_info.nb_devices,
              Text(m.module_info.name), Text(m.module_info.description));
        break;
    case ZK_MSG_NOTIFY_INPUT_DEVICE_INFO:
        Raise(Events.OnNotifyInputDeviceInfo, Sender, m.device_info.module_id, m.device_info.index, m.device_info.flags,
              Text(m.device_info.name), Text(m.device_info.description));
        break;
    case ZK_MSG_NOTIFY_INPUT_FILTER_INFO:
        Raise(Events.OnNotifyInputFilterInfo, Sender, static_cast<uint8_t>(m.filter.id), Text(m.filter.name));
        break;
    case ZK_MSG_NOTIFY_OUTPUT_STATE: Raise(Events.OnNotifyOutputState, Sender, int32_t{m.byte.state}); break;
    case ZK_MSG_NOTIFY_OUTPUT_NAME: Raise(Events.OnNotifyOutputName, Sender, Text(m.name.name)); break;
    case ZK_MSG_NOTIFY_OUTPUT_CAPS: Raise(Events.OnNotifyOutputCaps, Sender, m.value.caps); break;
    case ZK_MSG_NOTIFY_OUTPUT_VOLUME:
        Raise(Events.OnNotifyOutputVolume, Sender, m.volume.master_level, m.volume.pcm_level, m.volume.balance);
        break;
    case ZK_MSG_NOTIFY_OUTPUT_BALANCE: Raise(Events.OnNotifyOutputBalance, Sender, m.volume.balance); break;
    case ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL: Raise(Events.OnNotifyOutputPcmLevel, Sender, m.volume.pcm_level); break;
    case ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL:
        Raise(Events.OnNotifyOutputMasterLevel, Sender, m.volume.master_level);
        break;
    case ZK_MSG_NOTIFY_OUTPUT_CHANNELS: Raise(Events.OnNotifyOutputChannels, Sender, m.byte.channels); break;
    case ZK_MSG_NOTIFY_OUTPUT_PORTS: Raise(Events.OnNotifyOutputPorts, Sender, uint32_t{m.byte.ports}); break;
    case ZK_MSG_NOTIFY_OUTPUT_MODULE: Raise(Events.OnNotifyOutputModule, Sender, m.module_id.id); break;
    case ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO:
        Raise(Events.OnNotifyOutputModuleInfo, Sender, m.module_info.id, m.module_info.nb_devices,
              Text(m.module_info.name), Text(m.module_info.description));
        break;
    case ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO:
        Raise(Events.OnNotifyOutputDeviceInfo, Sender, m.device_info.module_id, m.device_info.index,
              m.device_info.flags, Text(m.device_info.name), Text(m.device_info.description));
        break;
    case ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO:
        Raise(Events.OnNotifyOutputFilterInfo, Sender, static_cast<uint8_t>(m.filter.id), Text(m.filter.name));
        break;
    case ZK_MSG_NOTIFY_CODEC_EQUALIZER: RaiseEqualizer(Sender, Events, m); break;
    case ZK_MSG_NOTIFY_NOTIFICATION_MASK: Raise(Events.OnNotifyNotificationMask, Sender, m.value.mask); break;
    case ZK_MSG_NOTIFY_DEBUG_LEVEL: Raise(Events.OnNotifyDebugLevel, Sender, m.byte.level); break;
    case ZK_MSG_NOTIFY_PROGRESS:
        Raise(Events.OnNotifyProgress, Sender, m.progress.source, m.progress.code, m.progress.value,
              Text(m.progress.message));
        break;
    case ZK_MSG_NOTIFY_DEBUG:
        Raise(Events.OnNotifyDebug, Sender, m.debug.source, m.debug.level, Text(m.debug.message));
        break;
    case ZK_MSG_NOTIFY_ERROR:
        Raise(Events.OnNotifyError, Sender, m.error.source, m.error.code, Text(m.error.message));
        break;
    case ZK_MSG_NOTIFY_INPUT_STREAM_TITLE:
        Raise(Events.OnNotifyInputStreamTitle, Sender, StreamText(m.name.name));
        break;
    case ZK_MSG_NOTIFY_INPUT_STREAM_NAME: Raise(Events.OnNotifyInputStreamName, Sender, StreamText(m.name.name)); break;
    default: break;
    }
}
