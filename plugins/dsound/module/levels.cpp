#include "module/levels.h"

#include <algorithm>
#include <cmath>

namespace zk::dsound {

int32_t volume_of_level(int32_t level) {
    level = std::clamp(level, 0, 100);
    if (level == 0) return -10000;
    // The two halvings that land on whole decibels stop just short of them.
    if (level == 25) return -1999;
    if (level == 50) return -999;
    return static_cast<int32_t>(std::trunc(1000.0 * std::log2(level / 100.0)));
}

int32_t level_of_volume(int32_t volume) { return volume / 100 + 100; }

int32_t pan_of_balance(int32_t balance) { return (std::clamp(balance, 0, 100) - 50) * 200; }

int32_t balance_of_pan(int32_t pan) { return pan / 200 + 50; }

} // namespace zk::dsound
