// The player's command table: each handler gives a result that is acked or
// nacked.
#include "control/player/module_names.h"
#include "control/player/player_context.h"

#include <cstring>
#include <string>

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

// Input side and output side differ only in these.
struct Side {
    bool input;
    uint32_t state_code, name_code, caps_code, module_code, module_info_code, device_info_code, filter_info_code;
    uint32_t state_mask, name_mask, caps_mask;
    const char* module_symbol;
    const char* filter_symbol;
};

const Side kInput = {true,
                     ZK_MSG_NOTIFY_INPUT_STATE,
                     ZK_MSG_NOTIFY_INPUT_NAME,
                     ZK_MSG_NOTIFY_INPUT_CAPS,
                     ZK_MSG_NOTIFY_INPUT_MODULE,
                     ZK_MSG_NOTIFY_INPUT_MODULE_INFO,
                     ZK_MSG_NOTIFY_INPUT_DEVICE_INFO,
                     ZK_MSG_NOTIFY_INPUT_FILTER_INFO,
                     ZK_NOTIFY_MASK_INPUT_STATE,
                     ZK_NOTIFY_MASK_INPUT_NAME,
                     ZK_NOTIFY_MASK_INPUT_CAPS,
                     "input_module_register",
                     "input_filter_register"};
const Side kOutput = {false,
                      ZK_MSG_NOTIFY_OUTPUT_STATE,
                      ZK_MSG_NOTIFY_OUTPUT_NAME,
                      ZK_MSG_NOTIFY_OUTPUT_CAPS,
                      ZK_MSG_NOTIFY_OUTPUT_MODULE,
                      ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO,
                      ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO,
                      ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO,
                      ZK_NOTIFY_MASK_OUTPUT_STATE,
                      ZK_NOTIFY_MASK_OUTPUT_NAME,
                      ZK_NOTIFY_MASK_OUTPUT_CAPS,
                      "output_module_register",
                      "output_filter_register"};

bool is_open(PlayerContext& p, const Side& side) { return side.input ? p.input_open() : p.output_open(); }
std::string& stored_name(PlayerContext& p, const Side& side) { return side.input ? p.input_name : p.output_name; }
int32_t& stored_module(PlayerContext& p, const Side& side) { return side.input ? p.input_module : p.output_module; }

int32_t close_side(PlayerContext& p, const Side& side) {
    int32_t result = side.input ? decoder_input_close(p.decoder) : decoder_output_close(p.decoder);
    notify(p, side.state_mask, side.state_code, kNotifiedClosed);
    return result;
}

constexpr uint32_t kLevels = ZK_OUTPUT_REQUEST_BALANCE | ZK_OUTPUT_REQUEST_PCM_LEVEL | ZK_OUTPUT_REQUEST_MASTER_LEVEL;

// Reads the output's controls with request and notifies those in notified.
int32_t read_and_notify_controls(PlayerContext& p, uint32_t request, uint32_t notified) {
    ZK_OutputControl control{};
    int32_t result = decoder_output_get_control(p.decoder, &control, request);
    if (result < 0) return result;
    if (notified & ZK_OUTPUT_REQUEST_BALANCE)
        notify(p, ZK_NOTIFY_MASK_OUTPUT_BALANCE, ZK_MSG_NOTIFY_OUTPUT_BALANCE, control.balance);
    if (notified & ZK_OUTPUT_REQUEST_PCM_LEVEL)
        notify(p, ZK_NOTIFY_MASK_OUTPUT_PCM_LEVEL, ZK_MSG_NOTIFY_OUTPUT_PCM_LEVEL, control.pcm_level);
    if (notified & ZK_OUTPUT_REQUEST_MASTER_LEVEL)
        notify(p, ZK_NOTIFY_MASK_OUTPUT_MASTER_LEVEL, ZK_MSG_NOTIFY_OUTPUT_MASTER_LEVEL, control.master_level);
    if (notified & ZK_OUTPUT_REQUEST_PORTS)
        notify(p, ZK_NOTIFY_MASK_OUTPUT_PORTS, ZK_MSG_NOTIFY_OUTPUT_PORTS, control.ports);
    return 0;
}

int32_t play(PlayerContext& p);

// Input open and output open: close what is open, take a new name, create,
// open, notify.
int32_t open_side(PlayerContext& p, const Side& side, const char* name) {
    if (name && !*name) name = nullptr;
    if (is_open(p, side)) close_side(p, side);
    if (name) stored_name(p, side) = name;
    const char* stored = stored_name(p, side).c_str();
    int32_t result = side.input ? decoder_input_new(p.decoder, stored, stored_module(p, side))
                                : decoder_output_new(p.decoder, stored, stored_module(p, side));
    if (result < 0) {
        // Without an input or output there is nothing to play on.
        set_state(p, ZK_PLAYER_STATE_STOPPED);
        return result;
    }
    result = side.input ? decoder_input_open(p.decoder) : decoder_output_open(p.decoder);
    notify(p, side.state_mask, side.state_code, result < 0 ? kNotifiedClosed : kNotifiedOpen);
    if (result < 0) {
        set_state(p, ZK_PLAYER_STATE_STOPPED);
        return result;
    }
    notify(p, side.name_mask, side.name_code, stored);
    if (side.input) {
        const ZK_InputInfo& input = *p.decoder->input;
        notify(p, side.caps_mask, side.caps_code, input.caps);
        p.last_duration = input.duration;
        notify(p, ZK_NOTIFY_MASK_INPUT_DURATION, ZK_MSG_NOTIFY_INPUT_DURATION, input.duration);
        if (input.info.changed)
            notify(p, ZK_NOTIFY_MASK_INPUT_STREAM_INFO, ZK_MSG_NOTIFY_INPUT_STREAM_INFO, input.info.level,
                   input.info.layer, input.info.bitrate, input.info.frequency, input.info.mode);
        if (p.state == ZK_PLAYER_STATE_PLAYING) return play(p);
    } else {
        notify(p, side.caps_mask, side.caps_code, p.decoder->output->caps);
        read_and_notify_controls(p, kLevels, kLevels);
        read_and_notify_controls(p, ZK_OUTPUT_REQUEST_PORTS, ZK_OUTPUT_REQUEST_PORTS);
    }
    return 0;
}

int32_t play(PlayerContext& p) {
    if (!p.input_open()) {
        int32_t result = open_side(p, kInput, nullptr);
        if (result < 0) return result;
    }
    if (!p.output_open()) {
        int32_t result = open_side(p, kOutput, nullptr);
        if (result < 0) return result;
    }
    output_request(p, ZK_OUTPUT_REQUEST_RESUME);
    set_state(p, ZK_PLAYER_STATE_PLAYING);
    return 0;
}

int32_t pause(PlayerContext& p) {
    if (!p.input_open()) return ZK_ERROR_INTERNAL;
    if (p.mode & ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_PAUSE) {
        reset_output(p);
        if (p.output_open()) close_side(p, kOutput);
    } else {
        output_request(p, ZK_OUTPUT_REQUEST_PAUSE);
    }
    set_state(p, ZK_PLAYER_STATE_PAUSED);
    return 0;
}

int32_t stop(PlayerContext& p) {
    if (!p.input_open()) return ZK_ERROR_INTERNAL;
    reset_output(p);
    if ((p.mode & ZK_PLAYER_MODE_CLOSE_OUTPUT_ON_STOP) && p.output_open()) close_side(p, kOutput);
    decoder_input_seek_to_position(p.decoder, 0.0f);
    set_state(p, ZK_PLAYER_STATE_STOPPED);
    return 0;
}

int32_t seek(PlayerContext& p, uint32_t offset, uint32_t range) {
    if (range == 0) return ZK_ERROR_INVALID_PARAMETERS;
    if (!p.input_open()) return ZK_FAILURE;
    reset_output(p);
    int32_t result = decoder_input_seek_to_position(p.decoder, static_cast<float>(double(offset) / range));
    if (result < 0) return result;
    notify(p, ZK_NOTIFY_MASK_INPUT_POSITION, ZK_MSG_NOTIFY_INPUT_POSITION, offset, range);
    const ZK_Timecode& tc = p.decoder->input->timecode;
    int32_t now[4] = {tc.hours, tc.minutes, tc.seconds, tc.hundredths};
    std::memcpy(p.last_timecode, now, sizeof now);
    notify(p, ZK_NOTIFY_MASK_INPUT_TIMECODE, ZK_MSG_NOTIFY_INPUT_TIMECODE, now[0], now[1], now[2], now[3]);
    return 0;
}

struct FilterListing {
    PlayerContext* player;
    uint32_t code;
};

int32_t list_filter(void* client, const char* name, int32_t id) {
    auto* listing = static_cast<FilterListing*>(client);
    notify(*listing->player, kAlways, listing->code, name ? name : "", id);
    return 0;
}

int32_t add_filter(PlayerContext& p, const Side& side, const char* name, int32_t where) {
    if (!name || !*name) return ZK_ERROR_INVALID_PARAMETERS;
    void* function = nullptr;
    int32_t result = resolve_registration(name, side.filter_symbol, function);
    if (result < 0) return result;
    const char* (*filter_name)(void) = nullptr;
    if (side.input) {
        ZK_InputFilter filter{};
        reinterpret_cast<ZK_InputFilterRegister>(function)(&filter);
        filter_name = filter.name;
        result = decoder_input_add_filter(p.decoder, &filter, where);
    } else {
        ZK_OutputFilter filter{};
        reinterpret_cast<ZK_OutputFilterRegister>(function)(&filter);
        filter_name = filter.name;
        result = decoder_output_add_filter(p.decoder, &filter, where);
    }
    if (result >= 0) {
        const char* text = filter_name ? filter_name() : nullptr;
        notify(p, kAlways, side.filter_info_code, text ? text : "", result);
    }
    return result;
}

int32_t register_module(PlayerContext& p, const Side& side, const char* name) {
    if (!name || !*name) return ZK_ERROR_INVALID_PARAMETERS;
    void* function = nullptr;
    int32_t result = resolve_registration(name, side.module_symbol, function);
    if (result < 0) return result;
    if (side.input) {
        ZK_InputModule module{};
        reinterpret_cast<ZK_InputModuleRegister>(function)(&module);
        decoder_input_module_register(p.decoder, &module);
    } else {
        ZK_OutputModule module{};
        reinterpret_cast<ZK_OutputModuleRegister>(function)(&module);
        decoder_output_module_register(p.decoder, &module);
    }
    return 0;
}

int32_t query_module(PlayerContext& p, const Side& side, int32_t id) {
    int32_t count = p.decoder->module_counts[side.input ? 0 : 1];
    if (id < 0 || id >= count) return ZK_ERROR_MODULE_NOT_FOUND;
    auto query = [&](ZK_ModuleInfo& info, int32_t what) {
        return side.input ? decoder_input_module_query(p.decoder, id, &info, what)
                          : decoder_output_module_query(p.decoder, id, &info, what);
    };
    ZK_ModuleInfo module{}, devices{};
    if (query(module, ZK_MODULE_QUERY_NAME) < 0 || query(devices, ZK_MODULE_QUERY_DEVICE_COUNT) < 0) return 0;
    notify(p, kAlways, side.module_info_code, id, devices.index_or_count, module.name, module.description);
    for (int32_t index = 0; index < devices.index_or_count; ++index) {
        ZK_ModuleInfo device{};
        device.index_or_count = index;
        if (query(device, ZK_MODULE_QUERY_DEVICE) < 0) continue;
        notify(p, kAlways, side.device_info_code, id, index, device.flags, device.name, device.description);
    }
    return 0;
}

int32_t list_modules(PlayerContext& p, const Side& side) {
    int32_t count = p.decoder->module_counts[side.input ? 0 : 1];
    for (int32_t id = 0; id < count; ++id) query_module(p, side, id);
    return 0;
}

int32_t set_name(PlayerContext& p, const Side& side, const char* name) {
    stored_name(p, side) = name ? name : "";
    return is_open(p, side) ? open_side(p, side, nullptr) : 0;
}

int32_t set_module(PlayerContext& p, const Side& side, int32_t id) {
    int32_t count = p.decoder->module_counts[side.input ? 0 : 1];
    if (id < -1 || id >= count) return ZK_ERROR_MODULE_NOT_FOUND;
    stored_module(p, side) = id;
    return 0;
}

int32_t set_volume(PlayerContext& p, uint8_t balance, uint8_t pcm_level, uint8_t master_level) {
    ZK_OutputControl control{};
    uint32_t request = 0;
    if (balance <= 100) {
        control.balance = balance;
        request |= ZK_OUTPUT_REQUEST_BALANCE;
    }
    if (pcm_level <= 100) {
        control.pcm_level = pcm_level;
        request |= ZK_OUTPUT_REQUEST_PCM_LEVEL;
    }
    if (master_level <= 100) {
        control.master_level = master_level;
        request |= ZK_OUTPUT_REQUEST_MASTER_LEVEL;
    }
    return decoder_output_set_control(p.decoder, &control, request);
}

int32_t get_environment(PlayerContext& p, const char* name, bool integer) {
    if (integer) {
        int32_t value = 0;
        int32_t result = decoder_get_environment_integer(p.decoder, name, &value);
        if (result < 0) return result;
        notify(p, kAlways, ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER, name, value);
        return 0;
    }
    char value[1028];
    int32_t result = decoder_get_environment_string_sized(p.decoder, name, value, sizeof value);
    if (result < 0) return result;
    notify(p, kAlways, ZK_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING, name, value);
    return 0;
}

int32_t get_equalizer(PlayerContext& p) {
    ZK_EqualizerInfo equalizer{};
    bool read = decoder_codec_get_equalizer(p.decoder, &equalizer) == 0;
    notify(p, kAlways, ZK_MSG_NOTIFY_CODEC_EQUALIZER, read ? reinterpret_cast<const int8_t*>(&equalizer) : nullptr);
    return 0;
}

int32_t exit_player(PlayerContext& p) {
    p.state = ZK_PLAYER_STATE_STOPPED;
    decoder_delete(p.decoder);
    p.decoder = nullptr;
    p.exiting = true;
    notify(p, kAlways, ZK_MSG_NOTIFY_EXITED);
    return 0;
}

int32_t run(PlayerContext& p, const ZK_Message& m) {
    switch (m.code) {
    case ZK_MSG_COMMAND_EXIT: return exit_player(p);
    case ZK_MSG_COMMAND_PING: notify(p, kAlways, ZK_MSG_NOTIFY_PONG, m.tag.tag); return 0;
    case ZK_MSG_COMMAND_PLAY: return play(p);
    case ZK_MSG_COMMAND_PAUSE: return pause(p);
    case ZK_MSG_COMMAND_STOP: return stop(p);
    case ZK_MSG_COMMAND_SEEK: return seek(p, m.seek.offset, m.seek.range);
    case ZK_MSG_COMMAND_INPUT_OPEN: return open_side(p, kInput, m.name.name);
    case ZK_MSG_COMMAND_INPUT_CLOSE: set_state(p, ZK_PLAYER_STATE_STOPPED); return close_side(p, kInput);
    case ZK_MSG_COMMAND_INPUT_SEND_MESSAGE:
        return decoder_input_send_message(p.decoder, m.module_message.type, m.module_message.data,
                                          m.module_message.size);
    case ZK_MSG_COMMAND_INPUT_ADD_FILTER: return add_filter(p, kInput, m.filter.name, m.filter.id);
    case ZK_MSG_COMMAND_INPUT_REMOVE_FILTER: return decoder_input_remove_filter(p.decoder, m.filter.name, m.filter.id);
    case ZK_MSG_COMMAND_INPUT_FILTERS_LIST: {
        FilterListing listing{&p, ZK_MSG_NOTIFY_INPUT_FILTER_INFO};
        return decoder_input_filters_list(p.decoder, &listing, list_filter);
    }
    case ZK_MSG_COMMAND_INPUT_MODULE_REGISTER: return register_module(p, kInput, m.name.name);
    case ZK_MSG_COMMAND_INPUT_MODULE_QUERY: return query_module(p, kInput, m.module_id.id);
    case ZK_MSG_COMMAND_INPUT_MODULES_LIST: return list_modules(p, kInput);
    case ZK_MSG_COMMAND_OUTPUT_OPEN: return open_side(p, kOutput, m.name.name);
    case ZK_MSG_COMMAND_OUTPUT_CLOSE: set_state(p, ZK_PLAYER_STATE_STOPPED); return close_side(p, kOutput);
    case ZK_MSG_COMMAND_OUTPUT_SEND_MESSAGE:
        return decoder_output_send_message(p.decoder, m.module_message.type, m.module_message.data,
                                           m.module_message.size);
    case ZK_MSG_COMMAND_OUTPUT_MUTE: return output_request(p, ZK_OUTPUT_REQUEST_MUTE);
    case ZK_MSG_COMMAND_OUTPUT_UNMUTE: return output_request(p, ZK_OUTPUT_REQUEST_UNMUTE);
    case ZK_MSG_COMMAND_OUTPUT_RESET: return output_request(p, ZK_OUTPUT_REQUEST_RESET);
    case ZK_MSG_COMMAND_OUTPUT_DRAIN: return output_request(p, ZK_OUTPUT_REQUEST_DRAIN);
    case ZK_MSG_COMMAND_OUTPUT_ADD_FILTER: return add_filter(p, kOutput, m.filter.name, m.filter.id);
    case ZK_MSG_COMMAND_OUTPUT_REMOVE_FITLER:
        return decoder_output_remove_filter(p.decoder, m.filter.name, m.filter.id);
    case ZK_MSG_COMMAND_OUTPUT_FILTERS_LIST: {
        FilterListing listing{&p, ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO};
        return decoder_output_filters_list(p.decoder, &listing, list_filter);
    }
    case ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER: return register_module(p, kOutput, m.name.name);
    case ZK_MSG_COMMAND_OUTPUT_MODULE_QUERY: return query_module(p, kOutput, m.module_id.id);
    case ZK_MSG_COMMAND_OUTPUT_MODULES_LIST: return list_modules(p, kOutput);
    case ZK_MSG_SET_PLAYER_MODE: p.mode = m.value.mode; return 0;
    case ZK_MSG_GET_PLAYER_MODE: notify(p, kAlways, ZK_MSG_NOTIFY_PLAYER_MODE, p.mode); return 0;
    case ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER:
        return decoder_set_environment_integer(p.decoder, m.environment_integer.name, m.environment_integer.value);
    case ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER: return get_environment(p, m.name.name, true);
    case ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING:
        return decoder_set_environment_string(p.decoder, m.environment_string.name, m.environment_string.value);
    case ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING: return get_environment(p, m.name.name, false);
    case ZK_MSG_UNSET_PLAYER_ENVIRONMENT: return decoder_unset_environment(p.decoder, m.name.name ? m.name.name : "");
    case ZK_MSG_SET_INPUT_NAME: return set_name(p, kInput, m.name.name);
    case ZK_MSG_GET_INPUT_NAME:
        notify(p, ZK_NOTIFY_MASK_INPUT_NAME, ZK_MSG_NOTIFY_INPUT_NAME, p.input_name.c_str());
        return 0;
    case ZK_MSG_SET_INPUT_MODULE: return set_module(p, kInput, m.module_id.id);
    case ZK_MSG_GET_INPUT_MODULE: notify(p, kAlways, ZK_MSG_NOTIFY_INPUT_MODULE, p.input_module); return 0;
    case ZK_MSG_SET_INPUT_POSITION_RANGE:
        if (m.value.range == 0) return ZK_ERROR_INVALID_PARAMETERS;
        p.position_range = m.value.range;
        return 0;
    case ZK_MSG_GET_INPUT_POSITION_RANGE:
        notify(p, ZK_NOTIFY_MASK_INPUT_POSITION_RANGE, ZK_MSG_NOTIFY_INPUT_POSITION_RANGE, p.position_range);
        return 0;
    case ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY:
        if (m.value.granularity == 0) return ZK_ERROR_INVALID_PARAMETERS;
        p.granularity = m.value.granularity;
        return 0;
    case ZK_MSG_GET_INPUT_TIMECODE_GRANULARITY:
        notify(p, ZK_NOTIFY_MASK_INPUT_TIMECODE_GRANULARITY, ZK_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY, p.granularity);
        return 0;
    case ZK_MSG_SET_OUTPUT_NAME: return set_name(p, kOutput, m.name.name);
    case ZK_MSG_GET_OUTPUT_NAME:
        notify(p, ZK_NOTIFY_MASK_OUTPUT_NAME, ZK_MSG_NOTIFY_OUTPUT_NAME, p.output_name.c_str());
        return 0;
    case ZK_MSG_SET_OUTPUT_MODULE: return set_module(p, kOutput, m.module_id.id);
    case ZK_MSG_GET_OUTPUT_MODULE: notify(p, kAlways, ZK_MSG_NOTIFY_OUTPUT_MODULE, p.output_module); return 0;
    case ZK_MSG_SET_OUTPUT_VOLUME: return set_volume(p, m.volume.balance, m.volume.pcm_level, m.volume.master_level);
    case ZK_MSG_GET_OUTPUT_VOLUME: return read_and_notify_controls(p, kLevels | ZK_OUTPUT_REQUEST_PORTS, kLevels);
    case ZK_MSG_SET_OUTPUT_CHANNELS:
        p.decoder->output->channels = m.byte.channels;
        reset_output(p);
        return 0;
    case ZK_MSG_GET_OUTPUT_CHANNELS:
        notify(p, kAlways, ZK_MSG_NOTIFY_OUTPUT_CHANNELS, p.decoder->output->channels);
        return 0;
    case ZK_MSG_SET_OUTPUT_PORTS: {
        ZK_OutputControl control{};
        control.ports = m.byte.ports;
        return output_request(p, ZK_OUTPUT_REQUEST_PORTS, control);
    }
    case ZK_MSG_GET_OUTPUT_PORTS: return read_and_notify_controls(p, ZK_OUTPUT_REQUEST_PORTS, ZK_OUTPUT_REQUEST_PORTS);
    case ZK_MSG_SET_FEEDBACK_RATE: p.feedback_rate = m.byte.rate; return 0;
    case ZK_MSG_GET_FEEDBACK_RATE: notify(p, kAlways, ZK_MSG_NOTIFY_OUTPUT_FEEDBACK_RATE, p.feedback_rate); return 0;
    case ZK_MSG_SET_CODEC_EQUALIZER:
        return decoder_codec_set_equalizer(p.decoder, reinterpret_cast<const ZK_EqualizerInfo*>(m.equalizer.equalizer));
    case ZK_MSG_GET_CODEC_EQUALIZER: return get_equalizer(p);
    case ZK_MSG_SET_NOTIFICATION_MASK: p.notification_mask = m.value.mask; return 0;
    case ZK_MSG_GET_NOTIFICATION_MASK:
        notify(p, kAlways, ZK_MSG_NOTIFY_NOTIFICATION_MASK, p.notification_mask);
        return 0;
    case ZK_MSG_SET_DEBUG_LEVEL: p.debug_level = m.byte.level; return 0;
    case ZK_MSG_GET_DEBUG_LEVEL: notify(p, kAlways, ZK_MSG_NOTIFY_DEBUG_LEVEL, p.debug_level); return 0;
    default: return 0;
    }
}

} // namespace

void execute(PlayerContext& player, const ZK_Message& message) {
    if (message.code < ZK_MSG_COMMAND_EXIT || message.code > ZK_MSG_GET_DEBUG_LEVEL) return;
    int32_t result = run(player, message);
    if (message.code == ZK_MSG_COMMAND_EXIT) return;
    if (result >= 0)
        notify(player, ZK_NOTIFY_MASK_ACK, ZK_MSG_NOTIFY_ACK, message.code);
    else
        notify(player, ZK_NOTIFY_MASK_NACK, ZK_MSG_NOTIFY_NACK, message.code, result);
}

} // namespace zk::player
