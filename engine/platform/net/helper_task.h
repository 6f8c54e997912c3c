// Runs a blocking job on a short-lived thread so that the caller can give up
// after a limit. A job given up on is not stopped: it finishes on its own and
// its result (a socket, say) is released with the state it shares. The
// caller's wait interruption gives up on it as on an expired limit.
#pragma once

#include "platform/threads/wait_interruption.h"
#include "zelkor.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace zk::platform {

// 0 with the job's result in out, ZK_ERROR_TIMEOUT when the job did not end
// within timeout_ms, ZK_ERROR_INTERNAL when no thread could be started.
template <class Result, class Job> int32_t run_with_limit(Job job, int timeout_ms, Result& out) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done_signal;
        bool done = false;
        Result result{};
    };
    std::shared_ptr<Shared> shared;
    try {
        shared = std::make_shared<Shared>();
        std::thread([shared, job = std::move(job)]() mutable {
            Result result = job();
            std::lock_guard lock(shared->mutex);
            shared->result = std::move(result);
            shared->done = true;
            shared->done_signal.notify_all();
        }).detach();
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    } catch (const std::system_error&) {
        return ZK_ERROR_INTERNAL;
    }
    std::unique_lock lock(shared->mutex);
    const bool done = wait_interruptibly(timeout_ms, [&](int slice_ms) {
        return shared->done_signal.wait_for(lock, std::chrono::milliseconds(slice_ms), [&] { return shared->done; })
                   ? 1
                   : 0;
    });
    if (!done) return ZK_ERROR_TIMEOUT;
    out = std::move(shared->result);
    return ZK_OK;
}

} // namespace zk::platform
