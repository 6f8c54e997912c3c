#include "player/binding/EngineExports.h"

#include <dlfcn.h>

namespace {

template <typename Function> void Bind(void* library, const char* name, Function& entry) {
    entry = reinterpret_cast<Function>(dlsym(library, name));
}

} // namespace

bool TEngineExports::Complete() const {
    return player_new && player_delete && zelkor_error_string && zelkor_get_api_version && control_message_send_N &&
           control_message_send_P && control_message_send_S && control_message_send_SS && control_message_send_SI &&
           control_message_send_IPI && control_message_send_I && control_message_send_II && control_message_send_III &&
           control_message_send_IIII && control_win32_params_to_message;
}

TEngineExports BindEngineExports(void* library) {
    TEngineExports e;
    Bind(library, "player_new", e.player_new);
    Bind(library, "player_delete", e.player_delete);
    Bind(library, "zelkor_error_string", e.zelkor_error_string);
    Bind(library, "zelkor_get_api_version", e.zelkor_get_api_version);
    Bind(library, "control_message_send_N", e.control_message_send_N);
    Bind(library, "control_message_send_P", e.control_message_send_P);
    Bind(library, "control_message_send_S", e.control_message_send_S);
    Bind(library, "control_message_send_SS", e.control_message_send_SS);
    Bind(library, "control_message_send_SI", e.control_message_send_SI);
    Bind(library, "control_message_send_IPI", e.control_message_send_IPI);
    Bind(library, "control_message_send_I", e.control_message_send_I);
    Bind(library, "control_message_send_II", e.control_message_send_II);
    Bind(library, "control_message_send_III", e.control_message_send_III);
    Bind(library, "control_message_send_IIII", e.control_message_send_IIII);
    Bind(library, "control_win32_params_to_message", e.control_win32_params_to_message);
    return e;
}
