#include "platform/audio/alsa_quiet.h"

#include <alsa/asoundlib.h>
#include <mutex>

namespace zk::audio {

namespace {

void ignore_alsa_error(const char*, int, const char*, int, const char*, ...) {}

} // namespace

void silence_alsa_errors() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(ignore_alsa_error); });
}

} // namespace zk::audio
