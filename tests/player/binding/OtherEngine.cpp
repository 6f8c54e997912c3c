// An engine library that answers interface version 4.0 and whose player
// cannot start; its other entry points refuse everything.
#include "zelkor.h"

extern "C" {

ZK_API const char* zelkor_error_string(int32_t) { return ""; }
ZK_API uint32_t zelkor_get_api_version(int32_t) { return 0x00040000; }
ZK_API int32_t player_new(ZK_ControlChannel**, const ZK_WindowHandle*) { return ZK_FAILURE; }
ZK_API int32_t player_delete(ZK_ControlChannel*) { return ZK_ERROR_INVALID_PARAMETERS; }
ZK_API int32_t control_message_send_N(ZK_ControlChannel*, uint32_t) { return ZK_ERROR_INVALID_PARAMETERS; }
ZK_API int32_t control_message_send_P(ZK_ControlChannel*, uint32_t, const void*) { return ZK_ERROR_INVALID_PARAMETERS; }
ZK_API int32_t control_message_send_S(ZK_ControlChannel*, uint32_t, const char*) { return ZK_ERROR_INVALID_PARAMETERS; }
ZK_API int32_t control_message_send_SS(ZK_ControlChannel*, uint32_t, const char*, const char*) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_message_send_SI(ZK_ControlChannel*, uint32_t, const char*, int32_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_message_send_I(ZK_ControlChannel*, uint32_t, int32_t) { return ZK_ERROR_INVALID_PARAMETERS; }
ZK_API int32_t control_message_send_II(ZK_ControlChannel*, uint32_t, int32_t, int32_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_message_send_III(ZK_ControlChannel*, uint32_t, int32_t, int32_t, int32_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_message_send_IIII(ZK_ControlChannel*, uint32_t, int32_t, int32_t, int32_t, int32_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_message_send_IPI(ZK_ControlChannel*, uint32_t, int32_t, const void*, int32_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}
ZK_API int32_t control_win32_params_to_message(ZK_ControlChannel*, ZK_Message*, uint32_t, uintptr_t, intptr_t) {
    return ZK_ERROR_INVALID_PARAMETERS;
}

} // extern "C"
