// Building a message from its code and further arguments, and posting it.
#include "control/channel.h"
#include "control/field_access.h"

#include <cstdarg>

using namespace zk::control;

namespace {

// Fills the payload from the arguments in the shape's send order: the
// serialisation order, except volume (balance, pcm level, master level),
// module messages (type, data, size) and feedback events (with nb_samples).
// False for a module message larger than a slot can carry.
bool fill_from_arguments(ZK_Message& m, va_list args) {
    Shape shape = code_info(m.code).shape;
    if (shape == Shape::Volume) {
        m.volume.balance = static_cast<uint8_t>(va_arg(args, int));
        m.volume.pcm_level = static_cast<uint8_t>(va_arg(args, int));
        m.volume.master_level = static_cast<uint8_t>(va_arg(args, int));
        return true;
    }
    if (shape == Shape::ModuleMessage) {
        m.module_message.type = static_cast<uint16_t>(va_arg(args, int));
        m.module_message.data = va_arg(args, const void*);
        const int size = va_arg(args, int);
        if (size < 0 || static_cast<size_t>(size) > kSlotBufferSize) return false;
        m.module_message.size = static_cast<uint16_t>(size);
        return true;
    }
    if (shape == Shape::FeedbackEvent) {
        m.feedback_event.seconds = static_cast<uint32_t>(va_arg(args, int));
        m.feedback_event.mseconds = static_cast<uint32_t>(va_arg(args, int));
        m.feedback_event.channels = static_cast<uint16_t>(va_arg(args, int));
        m.feedback_event.nb_samples = static_cast<uint16_t>(va_arg(args, int));
        m.feedback_event.samples = va_arg(args, const uint8_t*);
        return true;
    }
    fill_fields_from_arguments(m, args);
    return true;
}

} // namespace

extern "C" ZK_API int32_t control_message_send(ZK_ControlChannel* channel, uint32_t code, ...) {
    if (!channel) return ZK_ERROR_INVALID_PARAMETERS;
    if (!is_sendable(code)) return ZK_ERROR_INVALID_MESSAGE;
    ZK_Message message{};
    message.code = code;
    va_list args;
    va_start(args, code);
    const bool filled = fill_from_arguments(message, args);
    va_end(args);
    return filled ? send_message(channel, message) : ZK_ERROR_INVALID_PARAMETERS;
}

extern "C" ZK_API int32_t control_message_send_N(ZK_ControlChannel* channel, uint32_t code) {
    return control_message_send(channel, code);
}

extern "C" ZK_API int32_t control_message_send_P(ZK_ControlChannel* channel, uint32_t code, const void* p) {
    return control_message_send(channel, code, p);
}

extern "C" ZK_API int32_t control_message_send_S(ZK_ControlChannel* channel, uint32_t code, const char* s) {
    return control_message_send(channel, code, s);
}

extern "C" ZK_API int32_t control_message_send_SS(ZK_ControlChannel* channel, uint32_t code, const char* s1,
                                                  const char* s2) {
    return control_message_send(channel, code, s1, s2);
}

extern "C" ZK_API int32_t control_message_send_SI(ZK_ControlChannel* channel, uint32_t code, const char* s, int32_t i) {
    return control_message_send(channel, code, s, i);
}

extern "C" ZK_API int32_t control_message_send_I(ZK_ControlChannel* channel, uint32_t code, int32_t i) {
    return control_message_send(channel, code, i);
}

extern "C" ZK_API int32_t control_message_send_II(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2) {
    return control_message_send(channel, code, i1, i2);
}

extern "C" ZK_API int32_t control_message_send_III(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2,
                                                   int32_t i3) {
    return control_message_send(channel, code, i1, i2, i3);
}

extern "C" ZK_API int32_t control_message_send_IIII(ZK_ControlChannel* channel, uint32_t code, int32_t i1, int32_t i2,
                                                    int32_t i3, int32_t i4) {
    return control_message_send(channel, code, i1, i2, i3, i4);
}

extern "C" ZK_API int32_t control_message_send_IPI(ZK_ControlChannel* channel, uint32_t code, int32_t i1, const void* p,
                                                   int32_t i2) {
    return control_message_send(channel, code, i1, p, i2);
}
