// The player procedure: start, main loop, and the player exports.
#include "control/channel.h"
#include "control/player/player_context.h"
#include "platform/messaging/message_queue.h"
#include "platform/threads/wait_interruption.h"

#include <array>
#include <cstdlib>

using zk::player::PlayerContext;

namespace {

using InputRegister = int32_t (*)(ZK_InputModule*);
using OutputRegister = int32_t (*)(ZK_OutputModule*);

// Built-in modules in registration order (their ids).
const std::array<InputRegister, 2> kBuiltInInputs = {file_input_module_register, stream_input_module_register};
const std::array<OutputRegister, 2> kBuiltInOutputs = {file_output_module_register, audio_output_module_register};

void register_built_in_modules(ZK_Decoder* decoder) {
    for (InputRegister fill : kBuiltInInputs) {
        ZK_InputModule module{};
        fill(&module);
        decoder_input_module_register(decoder, &module);
    }
    for (OutputRegister fill : kBuiltInOutputs) {
        ZK_OutputModule module{};
        fill(&module);
        decoder_output_module_register(decoder, &module);
    }
}

// A queued exit, stop, or input open or close cuts short what the player
// thread waits for on the network (a connecting open, a refill), so that
// the command is answered at once.
bool command_cuts_waits(void* queue) {
    constexpr uint32_t base = ZK_WINDOW_MESSAGE_BASE;
    return static_cast<zk::platform::MessageQueue*>(queue)->holds_any(
        {base + ZK_MSG_COMMAND_EXIT, base + ZK_MSG_COMMAND_STOP, base + ZK_MSG_COMMAND_INPUT_OPEN,
         base + ZK_MSG_COMMAND_INPUT_CLOSE});
}

int32_t player_procedure(ZK_ControlChannel* channel, void*) {
    PlayerContext player;
    if (decoder_new(&player.decoder) != 0) std::exit(1);
    player.channel = channel;
    player.decoder->client = &player;
    zk::player::install_callbacks(player);
    register_built_in_modules(player.decoder);
    zk::platform::set_wait_interruption(command_cuts_waits, zk::platform::current_thread_queue().get());
    control_message_send_N(channel, ZK_MSG_NOTIFY_READY);

    ZK_Message message{};
    while (!player.exiting) {
        int32_t received;
        while (!player.exiting && (received = control_message_get(channel, &message)) == 1)
            zk::player::execute(player, message);
        if (player.exiting) break;
        if (received < 0) return received;
        if (player.state == ZK_PLAYER_STATE_PLAYING) {
            zk::player::play_step(player);
            continue;
        }
        int32_t status = control_message_wait(channel, &message, -1);
        if (status != 0) return status;
        zk::player::execute(player, message);
    }
    return 0;
}

int32_t to_control_priority(int32_t win32) {
    switch (win32) {
    case 0: return ZK_CONTROL_PRIORITY_NORMAL;
    case 1:
    case 2: return ZK_CONTROL_PRIORITY_HIGH;
    case 15: return ZK_CONTROL_PRIORITY_HIGHEST;
    case -15:
    case -2: return ZK_CONTROL_PRIORITY_LOWEST;
    case -1: return ZK_CONTROL_PRIORITY_LOW;
    default: return ZK_FAILURE;
    }
}

} // namespace

extern "C" ZK_API int32_t player_new(ZK_ControlChannel** channel, const ZK_WindowHandle* window) {
    return control_procedure_new(channel, window, player_procedure, nullptr);
}

extern "C" ZK_API int32_t player_delete(ZK_ControlChannel* channel) { return control_procedure_delete(channel); }

extern "C" ZK_API int32_t player_set_priority(ZK_ControlChannel* channel, int32_t priority) {
    return control_procedure_set_priority(channel, priority);
}

extern "C" ZK_API int32_t player_get_priority(ZK_ControlChannel* channel) {
    if (!channel) return ZK_ERROR_INVALID_PARAMETERS;
    return to_control_priority(channel->priority);
}
