// The player's command table: each handler gives a result that is acked or
// nacked.
#include "control/player/endpoint_sides.h"
#include "control/player/module_names.h"
#include "input/stream/stream_settings.h"

#include <array>
#include <cstring>
#include <iterator>
#include <type_traits>

namespace zk::player {

namespace {

// Notifications that are sent whatever the mask says.
constexpr uint32_t kAlways = 0;
constexpr int32_t kNotifiedOpen = ZK_NOTIFIED_STATE_OPEN;
constexpr int32_t kNotifiedClosed = ZK_NOTIFIED_STATE_CLOSED;

int32_t output_request(PlayerContext& player, uint32_t request, ZK_OutputControl control = {}) {
    return decoder_output_set_control(player.decoder, &control, request);
}

// Discards what the output holds, when one is open.
void reset_output(PlayerContext& player) {
    if (player.output_open()) output_request(player, ZK_OUTPUT_REQUEST_RESET);
}

constexpr uint32_t kLevels = ZK_OUTPUT_REQUEST_BALANCE | ZK_OUTPUT_REQUEST_PCM_LEVEL | ZK_OUTPUT_REQUEST_MASTER_LEVEL;

// Reads the output's controls with request and notifies those in notified.
int32_t read_and_notify_controls(PlayerContext& p, uint32_t request, uint32_t notified) {
    ZK_OutputControl control{};
    int32_t result = decoder_output_get_control(p.decoder, &control, request);
    if (result < 0) return result;
    if (notified & ZK_OUTPUT_REQUEST_BALANCE)
        notify<ZK_MSG_NOTIFY_OUTPUT_BALANCE>(p, ZK_NOTIFY_MASK_OUTPUT_BALANCE, control.balance);
    if (notified & ZK_OUTPUT_REQUEST_PCM_LEVEL)
        notify<ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL>(p, ZK_NOTIFY_MASK_OUTPUT_PCM_LEVEL, control.pcm_level);
    if (notified & ZK_OUTPUT_REQUEST_MASTER_LEVEL)
        notify<ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL>(p, ZK_NOTIFY_MASK_OUTPUT_MASTER_LEVEL, control.master_level);
    if (notified & ZK_OUTPUT_REQUEST_PORTS)
        notify<ZK_MSG_NOTIFY_OUTPUT_PORTS>(p, ZK_NOTIFY_MASK_OUTPUT_PORTS, control.ports);
    return 0;
}

int32_t play(PlayerContext& p);

template <class Side> int32_t close_side(PlayerContext& p) {
    int32_t result = Side::close(p.decoder);
    notify<Side::state_code>(p, Side::state_mask, kNotifiedClosed);
    return result;
}

// What a side announces once it is open.
int32_t announce_open(PlayerContext& p, InputSide) {
    const ZK_InputInfo& input = *p.decoder->input;
    notify<InputSide::caps_code>(p, InputSide::caps_mask, input.caps);
    p.last_duration = input.duration;
    notify<ZK_MSG_NOTIFY_INPUT_DURATION>(p, ZK_NOTIFY_MASK_INPUT_DURATION, input.duration);
    const ZK_StreamInfo& info = input.info;
    if (info.changed)
        notify<ZK_MSG_NOTIFY_INPUT_STREAM_INFO>(p, ZK_NOTIFY_MASK_INPUT_STREAM_INFO, info.level, info.layer,
                                                info.bitrate, info.frequency, info.mode);
    return p.state == ZK_PLAYER_STATE_PLAYING ? play(p) : 0;
}

int32_t announce_open(PlayerContext& p, OutputSide) {
    notify<OutputSide::caps_code>(p, OutputSide::caps_mask, p.decoder->output->caps);
    read_and_notify_controls(p, kLevels, kLevels);
    read_and_notify_controls(p, ZK_OUTPUT_REQUEST_PORTS, ZK_OUTPUT_REQUEST_PORTS);
    return 0;
}

// Input open and output open: close what is open, take a new name, create,
// open, notify.
template <class Side> int32_t open_side(PlayerContext& p, const char* name) {
    if (name && !*name) name = nullptr;
    if (Side::is_open(p)) close_side<Side>(p);
    if (name) Side::name(p) = name;
    const char* stored = Side::name(p).c_str();
    if constexpr (std::is_same_v<Side, OutputSide>) {
        if (name) p.output_named = true;
        // The same name keeps the output instance, which goes on where it
        // ended; a name given again starts it over.
        if (p.output_named && p.decoder->output->attached) decoder_output_delete(p.decoder);
    }
    int32_t result = Side::create(p.decoder, stored, Side::module(p));
    if constexpr (std::is_same_v<Side, OutputSide>)
        if (result >= 0) p.output_named = false;
    if (result < 0) {
        // Without an input or output there is nothing to play on.
        set_state(p, ZK_PLAYER_STATE_STOPPED);
        return result;
    }
    result = Side::open(p.decoder);
    notify<Side::state_code>(p, Side::state_mask, result < 0 ? kNotifiedClosed : kNotifiedOpen);
    if (result < 0) {
        set_state(p, ZK_PLAYER_STATE_STOPPED);
        return result;
    }
    notify<Side::name_code>(p, Side::name_mask, stored);
    return announce_open(p, Side{});
}

int32_t play(PlayerContext& p) {
    if (!p.input_open()) {
        int32_t result = open_side<InputSide>(p, nullptr);
        if (result < 0) return result;
    }
    if (!p.output_open()) {
        int32_t result = open_side<OutputSide>(p, nullptr);
        if (result < 0) return result;
    }
    output_request(p, ZK_OUTPUT_REQUEST_RESUME);
    p.failed_steps = 0;
    p.waiting_since = 0;
    set_state(p, ZK_PLAYER_STATE_PLAYING);
    return 0;
}

template <class Side> int32_t list_filter(void* client, const char* name, int32_t id) {
    notify<Side::filter_info_code>(*static_cast<PlayerContext*>(client), kAlways, name ? name : "", id);
    return 0;
}

template <class Side> int32_t add_filter(PlayerContext& p, const char* name, int32_t where) {
    if (!name || !*name) return ZK_ERROR_INVALID_PARAMETERS;
    void* function = nullptr;
    int32_t result = resolve_registration(name, Side::filter_symbol, function);
    if (result < 0) return result;
    typename Side::Filter filter{};
    reinterpret_cast<typename Side::FilterRegister>(function)(&filter);
    result = Side::add_filter(p.decoder, &filter, where);
    if (result >= 0) {
        const char* text = filter.name ? filter.name() : nullptr;
        notify<Side::filter_info_code>(p, kAlways, text ? text : "", result);
    }
    return result;
}

template <class Side> int32_t query_module(PlayerContext& p, int32_t id) {
    int32_t count = p.decoder->module_counts[Side::module_list];
    if (id < 0 || id >= count) return ZK_ERROR_MODULE_NOT_FOUND;
    auto query = [&](ZK_ModuleInfo& info, int32_t what) { return Side::query_module(p.decoder, id, &info, what); };
    ZK_ModuleInfo module{}, devices{};
    if (query(module, ZK_MODULE_QUERY_NAME) < 0 || query(devices, ZK_MODULE_QUERY_DEVICE_COUNT) < 0) return 0;
    notify<Side::module_info_code>(p, kAlways, id, devices.index_or_count, module.name, module.description);
    for (int32_t index = 0; index < devices.index_or_count; ++index) {
        ZK_ModuleInfo device{};
        device.index_or_count = index;
        if (query(device, ZK_MODULE_QUERY_DEVICE) < 0) continue;
        notify<Side::device_info_code>(p, kAlways, id, index, device.flags, device.name, device.description);
    }
    return 0;
}

// Handlers, one per command code.
using Handler = int32_t (*)(PlayerContext&, const ZK_Message&);

template <class Side> int32_t open_command(PlayerContext& p, const ZK_Message& m) {
    return open_side<Side>(p, m.name.name);
}

template <class Side> int32_t close_command(PlayerContext& p, const ZK_Message&) {
    set_state(p, ZK_PLAYER_STATE_STOPPED);
    return close_side<Side>(p);
}

template <class Side> int32_t send_module_message(PlayerContext& p, const ZK_Message& m) {
    return Side::send_message(p.decoder, m.module_message.type, m.module_message.data, m.module_message.size);
}

template <class Side> int32_t add_filter_command(PlayerContext& p, const ZK_Message& m) {
    return add_filter<Side>(p, m.filter.name, m.filter.id);
}

template <class Side> int32_t remove_filter(PlayerContext& p, const ZK_Message& m) {
    return Side::remove_filter(p.decoder, m.filter.name, m.filter.id);
}

template <class Side> int32_t list_filters(PlayerContext& p, const ZK_Message&) {
    return Side::list_filters(p.decoder, &p, list_filter<Side>);
}

template <class Side> int32_t register_module(PlayerContext& p, const ZK_Message& m) {
    const char* name = m.name.name;
    if (!name || !*name) return ZK_ERROR_INVALID_PARAMETERS;
    void* function = nullptr;
    int32_t result = resolve_registration(name, Side::module_symbol, function);
    if (result < 0) return result;
    typename Side::Module module{};
    reinterpret_cast<typename Side::ModuleRegister>(function)(&module);
    Side::register_module(p.decoder, &module);
    return 0;
}

template <class Side> int32_t query_module_command(PlayerContext& p, const ZK_Message& m) {
    return query_module<Side>(p, m.module_id.id);
}

template <class Side> int32_t list_modules(PlayerContext& p, const ZK_Message&) {
    int32_t count = p.decoder->module_counts[Side::module_list];
    for (int32_t id = 0; id < count; ++id) query_module<Side>(p, id);
    return 0;
}

template <class Side> int32_t set_name(PlayerContext& p, const ZK_Message& m) {
    Side::name(p) = m.name.name ? m.name.name : "";
    if constexpr (std::is_same_v<Side, OutputSide>) p.output_named = true;
    return Side::is_open(p) ? open_side<Side>(p, nullptr) : 0;
}

template <class Side> int32_t get_name(PlayerContext& p, const ZK_Message&) {
    notify<Side::name_code>(p, Side::name_mask, Side::name(p).c_str());
    return 0;
}

template <class Side> int32_t set_module(PlayerContext& p, const ZK_Message& m) {
    int32_t id = m.module_id.id;
    int32_t count = p.decoder->module_counts[Side::module_list];
    if (id < -1 || id >= count) return ZK_ERROR_MODULE_NOT_FOUND;
    Side::module(p) = id;
    if constexpr (std::is_same_v<Side, OutputSide>) p.output_named = true;
    return 0;
}

template <class Side> int32_t get_module(PlayerContext& p, const ZK_Message&) {
    notify<Side::module_code>(p, kAlways, Side::module(p));
    return 0;
}

int32_t exit_player(PlayerContext& p, const ZK_Message&) {
    p.state = ZK_PLAYER_STATE_STOPPED;
    decoder_delete(p.decoder);
    p.decoder = nullptr;
    p.exiting = true;
    notify<ZK_MSG_NOTIFY_EXITED>(p, kAlways);
    return 0;
}

int32_t ping(PlayerContext& p, const ZK_Message& m) {
    notify<ZK_MSG_NOTIFY_PONG>(p, kAlways, m.tag.tag);
    return 0;
}

int32_t play_command(PlayerContext& p, const ZK_Message&) { return play(p); }

int32_t pause(PlayerContext& p, const ZK_Message&) {
    if (!p.input_open()) return ZK_ERROR_INTERNAL;
    if (p.mode & ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_PAUSE) {
        reset_output(p);
        if (p.output_open()) close_side<OutputSide>(p);
    } else {
        output_request(p, ZK_OUTPUT_REQUEST_PAUSE);
    }
    set_state(p, ZK_PLAYER_STATE_PAUSED);
    return 0;
}

int32_t stop(PlayerContext& p, const ZK_Message&) {
    if (!p.input_open()) return ZK_ERROR_INTERNAL;
    reset_output(p);
    if ((p.mode & ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_STOP) && p.output_open()) close_side<OutputSide>(p);
    decoder_input_seek_to_position(p.decoder, 0.0f);
    set_state(p, ZK_PLAYER_STATE_STOPPED);
    return 0;
}

int32_t seek(PlayerContext& p, const ZK_Message& m) {
    const uint32_t offset = m.seek.offset, range = m.seek.range;
    if (range == 0) return ZK_ERROR_INVALID_PARAMETERS;
    if (!p.input_open()) return ZK_FAILURE;
    // A stream that refuses the seek plays on with what the output holds.
    int32_t result = decoder_input_seek_to_position(p.decoder, static_cast<float>(double(offset) / range));
    if (result < 0) return result;
    reset_output(p);
    notify<ZK_MSG_NOTIFY_INPUT_POSITION>(p, ZK_NOTIFY_MASK_INPUT_POSITION, offset, range);
    const ZK_Timecode& tc = p.decoder->input->timecode;
    int32_t now[4] = {tc.hours, tc.minutes, tc.seconds, tc.hundredths};
    std::memcpy(p.last_timecode, now, sizeof now);
    notify<ZK_MSG_NOTIFY_INPUT_TIMECODE>(p, ZK_NOTIFY_MASK_INPUT_TIMECODE, now[0], now[1], now[2], now[3]);
    return 0;
}

template <uint32_t Request> int32_t output_request_command(PlayerContext& p, const ZK_Message&) {
    return output_request(p, Request);
}

int32_t set_mode(PlayerContext& p, const ZK_Message& m) {
    p.mode = m.value.mode;
    return 0;
}

int32_t get_mode(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_PLAYER_MODE>(p, kAlways, p.mode);
    return 0;
}

// A network input setting that cannot work with the others is refused and
// the variable keeps its value.
int32_t set_environment_integer(PlayerContext& p, const ZK_Message& m) {
    const char* name = m.environment_integer.name;
    int32_t previous = 0;
    const bool was_set = name && decoder_get_environment_integer(p.decoder, name, &previous) == 0;
    int32_t result = decoder_set_environment_integer(p.decoder, name, m.environment_integer.value);
    if (result < 0) return result;
    zk::stream::StreamSettings settings;
    if (zk::stream::read_stream_settings(p.decoder, settings) == 0) return result;
    if (was_set)
        decoder_set_environment_integer(p.decoder, name, previous);
    else
        decoder_unset_environment(p.decoder, name);
    return ZK_ERROR_INVALID_PARAMETERS;
}

int32_t get_environment_integer(PlayerContext& p, const ZK_Message& m) {
    int32_t value = 0;
    int32_t result = decoder_get_environment_integer(p.decoder, m.name.name, &value);
    if (result < 0) return result;
    notify<ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER>(p, kAlways, m.name.name, value);
    return 0;
}

int32_t set_environment_string(PlayerContext& p, const ZK_Message& m) {
    return decoder_set_environment_string(p.decoder, m.environment_string.name, m.environment_string.value);
}

int32_t get_environment_string(PlayerContext& p, const ZK_Message& m) {
    char value[1028];
    int32_t result = decoder_get_environment_string_sized(p.decoder, m.name.name, value, sizeof value);
    if (result < 0) return result;
    notify<ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING>(p, kAlways, m.name.name, value);
    return 0;
}

int32_t unset_environment(PlayerContext& p, const ZK_Message& m) {
    return decoder_unset_environment(p.decoder, m.name.name ? m.name.name : "");
}

int32_t set_position_range(PlayerContext& p, const ZK_Message& m) {
    if (m.value.range == 0) return ZK_ERROR_INVALID_PARAMETERS;
    p.position_range = m.value.range;
    return 0;
}

int32_t get_position_range(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_INPUT_POSITION_RANGE>(p, ZK_NOTIFY_MASK_INPUT_POSITION_RANGE, p.position_range);
    return 0;
}

int32_t set_granularity(PlayerContext& p, const ZK_Message& m) {
    if (m.value.granularity == 0) return ZK_ERROR_INVALID_PARAMETERS;
    p.granularity = m.value.granularity;
    return 0;
}

int32_t get_granularity(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY>(p, ZK_NOTIFY_MASK_INPUT_TIMECODE_GRANULARITY, p.granularity);
    return 0;
}

// A level above 100 leaves that level as it is.
int32_t set_volume(PlayerContext& p, const ZK_Message& m) {
    ZK_OutputControl control{};
    uint32_t request = 0;
    if (m.volume.balance <= 100) {
        control.balance = m.volume.balance;
        request |= ZK_OUTPUT_REQUEST_BALANCE;
    }
    if (m.volume.pcm_level <= 100) {
        control.pcm_level = m.volume.pcm_level;
        request |= ZK_OUTPUT_REQUEST_PCM_LEVEL;
    }
    if (m.volume.master_level <= 100) {
        control.master_level = m.volume.master_level;
        request |= ZK_OUTPUT_REQUEST_MASTER_LEVEL;
    }
    return decoder_output_set_control(p.decoder, &control, request);
}

int32_t get_volume(PlayerContext& p, const ZK_Message&) {
    return read_and_notify_controls(p, kLevels | ZK_OUTPUT_REQUEST_PORTS, kLevels);
}

int32_t set_channels(PlayerContext& p, const ZK_Message& m) {
    if (m.byte.channels > ZK_OUTPUT_CHANNELS_MIX) return ZK_ERROR_INVALID_PARAMETERS;
    p.decoder->output->channels = m.byte.channels;
    reset_output(p);
    return 0;
}

int32_t get_channels(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_OUTPUT_CHANNELS>(p, kAlways, p.decoder->output->channels);
    return 0;
}

int32_t set_ports(PlayerContext& p, const ZK_Message& m) {
    ZK_OutputControl control{};
    control.ports = m.byte.ports;
    return output_request(p, ZK_OUTPUT_REQUEST_PORTS, control);
}

int32_t get_ports(PlayerContext& p, const ZK_Message&) {
    return read_and_notify_controls(p, ZK_OUTPUT_REQUEST_PORTS, ZK_OUTPUT_REQUEST_PORTS);
}

int32_t set_feedback_rate(PlayerContext& p, const ZK_Message& m) {
    p.feedback_rate = m.byte.rate;
    return 0;
}

int32_t get_feedback_rate(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE>(p, kAlways, p.feedback_rate);
    return 0;
}

int32_t set_equalizer(PlayerContext& p, const ZK_Message& m) {
    return decoder_codec_set_equalizer(p.decoder, reinterpret_cast<const ZK_EqualizerInfo*>(m.equalizer.equalizer));
}

// Notifies the equalizer, or no equalizer when the codec has none to give.
int32_t get_equalizer(PlayerContext& p, const ZK_Message&) {
    ZK_EqualizerInfo equalizer{};
    bool read = decoder_codec_get_equalizer(p.decoder, &equalizer) == 0;
    notify<ZK_MSG_NOTIFY_CODEC_EQUALIZER>(p, kAlways, read ? reinterpret_cast<const int8_t*>(&equalizer) : nullptr);
    return 0;
}

int32_t set_notification_mask(PlayerContext& p, const ZK_Message& m) {
    p.notification_mask = m.value.mask;
    return 0;
}

int32_t get_notification_mask(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_NOTIFICATION_MASK>(p, kAlways, p.notification_mask);
    return 0;
}

int32_t set_debug_level(PlayerContext& p, const ZK_Message& m) {
    p.debug_level = m.byte.level;
    return 0;
}

int32_t get_debug_level(PlayerContext& p, const ZK_Message&) {
    notify<ZK_MSG_NOTIFY_DEBUG_LEVEL>(p, kAlways, p.debug_level);
    return 0;
}

struct Command {
    uint32_t code;
    Handler handler;
};

constexpr Command kCommands[] = {
    {ZK_MSG_COMMAND_EXIT, exit_player},
    {ZK_MSG_COMMAND_PING, ping},
    {ZK_MSG_COMMAND_PLAY, play_command},
    {ZK_MSG_COMMAND_PAUSE, pause},
    {ZK_MSG_COMMAND_STOP, stop},
    {ZK_MSG_COMMAND_SEEK, seek},
    {ZK_MSG_COMMAND_INPUT_OPEN, open_command<InputSide>},
    {ZK_MSG_COMMAND_INPUT_CLOSE, close_command<InputSide>},
    {ZK_MSG_COMMAND_INPUT_SEND_MESSAGE, send_module_message<InputSide>},
    {ZK_MSG_COMMAND_INPUT_ADD_FILTER, add_filter_command<InputSide>},
    {ZK_MSG_COMMAND_INPUT_REMOVE_FILTER, remove_filter<InputSide>},
    {ZK_MSG_COMMAND_INPUT_FILTERS_LIST, list_filters<InputSide>},
    {ZK_MSG_COMMAND_INPUT_MODULE_REGISTER, register_module<InputSide>},
    {ZK_MSG_COMMAND_INPUT_MODULE_QUERY, query_module_command<InputSide>},
    {ZK_MSG_COMMAND_INPUT_MODULES_LIST, list_modules<InputSide>},
    {ZK_MSG_COMMAND_OUTPUT_OPEN, open_command<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_CLOSE, close_command<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_SEND_MESSAGE, send_module_message<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_MUTE, output_request_command<ZK_OUTPUT_REQUEST_MUTE>},
    {ZK_MSG_COMMAND_OUTPUT_UNMUTE, output_request_command<ZK_OUTPUT_REQUEST_UNMUTE>},
    {ZK_MSG_COMMAND_OUTPUT_RESET, output_request_command<ZK_OUTPUT_REQUEST_RESET>},
    {ZK_MSG_COMMAND_OUTPUT_DRAIN, output_request_command<ZK_OUTPUT_REQUEST_DRAIN>},
    {ZK_MSG_COMMAND_OUTPUT_ADD_FILTER, add_filter_command<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_REMOVE_FITLER, remove_filter<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_FILTERS_LIST, list_filters<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, register_module<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_MODULE_QUERY, query_module_command<OutputSide>},
    {ZK_MSG_COMMAND_OUTPUT_MODULES_LIST, list_modules<OutputSide>},
    {ZK_MSG_SET_PLAYER_MODE, set_mode},
    {ZK_MSG_GET_PLAYER_MODE, get_mode},
    {ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, set_environment_integer},
    {ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, get_environment_integer},
    {ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING, set_environment_string},
    {ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING, get_environment_string},
    {ZK_MSG_UNSET_PLAYER_ENVIRONMENT, unset_environment},
    {ZK_MSG_SET_INPUT_NAME, set_name<InputSide>},
    {ZK_MSG_GET_INPUT_NAME, get_name<InputSide>},
    {ZK_MSG_SET_INPUT_MODULE, set_module<InputSide>},
    {ZK_MSG_GET_INPUT_MODULE, get_module<InputSide>},
    {ZK_MSG_SET_INPUT_POSITION_RANGE, set_position_range},
    {ZK_MSG_GET_INPUT_POSITION_RANGE, get_position_range},
    {ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, set_granularity},
    {ZK_MSG_GET_INPUT_TIMECODE_GRANULARITY, get_granularity},
    {ZK_MSG_SET_OUTPUT_NAME, set_name<OutputSide>},
    {ZK_MSG_GET_OUTPUT_NAME, get_name<OutputSide>},
    {ZK_MSG_SET_OUTPUT_MODULE, set_module<OutputSide>},
    {ZK_MSG_GET_OUTPUT_MODULE, get_module<OutputSide>},
    {ZK_MSG_SET_OUTPUT_VOLUME, set_volume},
    {ZK_MSG_GET_OUTPUT_VOLUME, get_volume},
    {ZK_MSG_SET_OUTPUT_CHANNELS, set_channels},
    {ZK_MSG_GET_OUTPUT_CHANNELS, get_channels},
    {ZK_MSG_SET_OUTPUT_PORTS, set_ports},
    {ZK_MSG_GET_OUTPUT_PORTS, get_ports},
    {ZK_MSG_SET_FEEDBACK_RATE, set_feedback_rate},
    {ZK_MSG_GET_FEEDBACK_RATE, get_feedback_rate},
    {ZK_MSG_SET_CODEC_EQUALIZER, set_equalizer},
    {ZK_MSG_GET_CODEC_EQUALIZER, get_equalizer},
    {ZK_MSG_SET_NOTIFICATION_MASK, set_notification_mask},
    {ZK_MSG_GET_NOTIFICATION_MASK, get_notification_mask},
    {ZK_MSG_SET_DEBUG_LEVEL, set_debug_level},
    {ZK_MSG_GET_DEBUG_LEVEL, get_debug_level},
};

constexpr uint32_t kFirstCommand = ZK_MSG_COMMAND_EXIT;
constexpr uint32_t kLastCommand = ZK_MSG_GET_DEBUG_LEVEL;

// Every command code has exactly one handler.
constexpr bool one_handler_per_command() {
    std::array<bool, kLastCommand + 1> seen{};
    for (const Command& command : kCommands) {
        if (command.code < kFirstCommand || command.code > kLastCommand || seen[command.code]) return false;
        seen[command.code] = true;
    }
    return std::size(kCommands) == kLastCommand - kFirstCommand + 1;
}
static_assert(one_handler_per_command(), "one handler per command code");

// The handlers indexed by code.
constexpr std::array<Handler, kLastCommand + 1> kHandlers = [] {
    std::array<Handler, kLastCommand + 1> handlers{};
    for (const Command& command : kCommands) handlers[command.code] = command.handler;
    return handlers;
}();

} // namespace

void execute(PlayerContext& player, const ZK_Message& message) {
    if (message.code < kFirstCommand || message.code > kLastCommand) return;
    int32_t result = kHandlers[message.code](player, message);
    if (message.code == ZK_MSG_COMMAND_EXIT) return;
    if (result >= 0)
        notify<ZK_MSG_NOTIFY_ACK>(player, ZK_NOTIFY_MASK_ACK, message.code);
    else
        notify<ZK_MSG_NOTIFY_NACK>(player, ZK_NOTIFY_MASK_NACK, message.code, result);
}

} // namespace zk::player
