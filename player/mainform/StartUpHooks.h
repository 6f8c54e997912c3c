#pragma once

struct TStartUpOptions;
struct TTaerinWindows;

// What the program adds around its start-up; runs without a user
// (--quit-at-end, --screenshot) leave both out.
class TStartUpHooks {
public:
    virtual ~TStartUpHooks() = default;

    // Before any window: true when a player that already runs took the
    // command line, and this one ends with status 0.
    virtual bool HandedOver(const TStartUpOptions& options) = 0;
    // After the windows exist, before the event loop.
    virtual void WindowsCreated(TTaerinWindows& windows) = 0;
};
