#include "codec/synthesis.h"

#include <cstring>

namespace zk {

void ChannelSynthesis::reset() {
    std::memset(window, 0, sizeof window);
    position = 0;
}

} // namespace zk
