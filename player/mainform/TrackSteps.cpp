#include "player/mainform/TrackSteps.h"

#include <algorithm>

int PlayIndex(int itemIndex) { return itemIndex == -1 ? 0 : itemIndex; }

int NextIndex(int itemIndex, int count) {
    const int next = itemIndex + 1;
    return next < 0 || next > count - 1 ? 0 : next;
}

int PreviousIndex(int itemIndex, int count) {
    const int previous = itemIndex - 1;
    return previous < 0 || previous > count - 1 ? count - 1 : previous;
}

uint32_t SeekOffset(int position, int step, int range) {
    const int64_t wanted = int64_t{position} + step;
    return static_cast<uint32_t>(std::clamp<int64_t>(wanted, 0, std::max(range, 0)));
}
