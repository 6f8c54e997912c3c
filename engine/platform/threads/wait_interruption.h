// Long waits that their thread can cut short. A thread installs a check; the
// platform's socket and helper waits then sleep in short slices and give up,
// as if their limit had passed, once the check says the wait is no longer
// wanted (the player thread when a stop is queued for it, say).
#pragma once

#include <algorithm>
#include <chrono>

namespace zk::platform {

using InterruptionCheck = bool (*)(void* context);

// Installs the calling thread's check; null: its waits run to their limits.
void set_wait_interruption(InterruptionCheck check, void* context);
bool wait_interruption_installed();
// True when the calling thread's check asks its waits to end.
bool wait_interrupted();

// The longest a wait sleeps before it consults the check.
constexpr int kInterruptionSliceMs = 50;

// Waits at most timeout_ms (negative: 0) by calling wait_slice(ms), which
// returns non-zero when the wait is over (ready or failed). Its result, or 0
// when the limit passed or the calling thread's check cut the wait short.
template <class WaitSlice> int wait_interruptibly(int timeout_ms, WaitSlice wait_slice) {
    using Clock = std::chrono::steady_clock;
    const bool sliced = wait_interruption_installed();
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeout_ms, 0));
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const long long wanted = sliced ? std::min<long long>(left, kInterruptionSliceMs) : left;
        const int slice = static_cast<int>(std::max<long long>(wanted, 0));
        const int result = wait_slice(slice);
        if (result != 0 || left <= slice || wait_interrupted()) return result;
    }
}

} // namespace zk::platform
