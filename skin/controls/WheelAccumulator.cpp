#include "skin/controls/WheelAccumulator.h"

int TakeWheelNotches(int32_t& accumulator, int delta) {
    const int64_t total = int64_t(accumulator) + delta;
    accumulator = int32_t(total % kWheelNotch);
    return int(total / kWheelNotch);
}
