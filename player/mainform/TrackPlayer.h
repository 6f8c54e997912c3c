#pragma once

#include <QString>
#include <cstdint>

class TZelkorCommands;

// The engine commands the main window sends. Results are not looked at:
// failures come back as notifications.
class TTrackPlayer {
public:
    virtual ~TTrackPlayer() = default;

    virtual void InputOpen(const QString& name) = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual void InputSeek(uint32_t offset, uint32_t range) = 0;
};

// The commands sent through the engine binding.
class TZelkorTrackPlayer : public TTrackPlayer {
public:
    explicit TZelkorTrackPlayer(TZelkorCommands& commands) : m_commands(commands) {}

    void InputOpen(const QString& name) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    void InputSeek(uint32_t offset, uint32_t range) override;

private:
    TZelkorCommands& m_commands;
};
