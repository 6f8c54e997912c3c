// Every test program runs headless and silent: Qt on its offscreen platform,
// the engine's wave output on the silent device, unless the caller's
// environment chooses otherwise.
#include <cstdlib>

namespace {

const bool headless_and_silent = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("ZELKOR_AUDIO", "null", 0);
    return true;
}();

} // namespace
