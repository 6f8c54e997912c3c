#pragma once

#include "player/mainform/StartUpHooks.h"

#include <memory>

class TMprisService;
class TSingleInstance;
class TWindowsMprisHost;

// The player as one desktop application: one player per user (a later start
// hands its files over, or raises the window) and the media player
// interface on the session bus when there is one.
class TDesktopSession : public TStartUpHooks {
public:
    TDesktopSession();
    ~TDesktopSession() override;

    bool HandedOver(const TStartUpOptions& options) override;
    void WindowsCreated(TTaerinWindows& windows) override;

private:
    std::unique_ptr<TSingleInstance> m_instance;
    std::unique_ptr<TWindowsMprisHost> m_mprisHost;
    std::unique_ptr<TMprisService> m_mpris;
};
