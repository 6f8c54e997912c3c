// ALSA prints its own diagnostics to standard error unless told otherwise;
// the engine reports errors through the decoder's callbacks instead.
#pragma once

namespace zk::audio {

// Installs a silent error handler in ALSA once per process. Call it before
// any other ALSA function.
void silence_alsa_errors();

} // namespace zk::audio
