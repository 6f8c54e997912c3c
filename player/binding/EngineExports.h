#pragma once

#include "zelkor.h"

// The engine entry points the binding uses, looked up by name in the loaded library.
struct TEngineExports {
    decltype(&::player_new) player_new = nullptr;
    decltype(&::player_delete) player_delete = nullptr;
    decltype(&::zelkor_error_string) zelkor_error_string = nullptr;
    decltype(&::zelkor_get_api_version) zelkor_get_api_version = nullptr;
    decltype(&::control_message_send_N) control_message_send_N = nullptr;
    decltype(&::control_message_send_P) control_message_send_P = nullptr;
    decltype(&::control_message_send_S) control_message_send_S = nullptr;
    decltype(&::control_message_send_SS) control_message_send_SS = nullptr;
    decltype(&::control_message_send_SI) control_message_send_SI = nullptr;
    decltype(&::control_message_send_IPI) control_message_send_IPI = nullptr;
    decltype(&::control_message_send_I) control_message_send_I = nullptr;
    decltype(&::control_message_send_II) control_message_send_II = nullptr;
    decltype(&::control_message_send_III) control_message_send_III = nullptr;
    decltype(&::control_message_send_IIII) control_message_send_IIII = nullptr;
    decltype(&::control_win32_params_to_message) control_win32_params_to_message = nullptr;

    // True when every entry point was found.
    bool Complete() const;
};

// Looks the entry points up in a library opened with dlopen; a missing one stays null.
TEngineExports BindEngineExports(void* library);
