// Control messages from bytes of unknown origin: deserialise, serialise again
// (the second pass must give the same bytes), print the debug text, and carry
// the message through the window parameters and back.
#include "control/window_carriage.h"
#include "zelkor.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> serialise(const ZK_Message& message) {
    uint8_t probe[1];
    int32_t size = control_message_to_bytes(&message, probe, sizeof probe);
    if (size >= 0) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(-size));
    if (control_message_to_bytes(&message, bytes.data(), -size) != -size) abort();
    return bytes;
}

void carry(const ZK_Message& message) {
    zk::platform::PostedMessage posted{};
    if (control_message_to_win32_params(&message, &posted.number, &posted.wparam, &posted.lparam) != 0) return;
    static char slot_buffer[zk::control::kSlotBufferSize];
    ZK_Message received{};
    zk::control::unpack_message(received, posted, slot_buffer);
    if (received.code != message.code) abort();
    char text[512];
    control_message_snprint(text, sizeof text, &received);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ZK_Message message{};
    if (control_message_from_bytes_sized(&message, data, size) != 0) return 0;

    char text[2048];
    control_message_snprint(text, sizeof text, &message);

    std::vector<uint8_t> first = serialise(message);
    if (!first.empty()) {
        ZK_Message again{};
        if (control_message_from_bytes_sized(&again, first.data(), first.size()) != 0) abort();
        if (serialise(again) != first) abort();
    }
    carry(message);
    return 0;
}
