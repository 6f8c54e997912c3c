#pragma once

#include "player/binding/EngineFiles.h"
#include "player/binding/EngineLibrary.h"
#include "player/binding/NotifyPort.h"
#include "player/binding/ZelkorCommands.h"
#include "player/binding/ZelkorEvents.h"

#include <QObject>
#include <memory>

class QSocketNotifier;

// The engine binding: writes the engine library and its output plug-in into a
// private directory, loads the engine, starts one engine player and raises a
// typed event for each notification the player posts. The command methods
// (TZelkorCommands) drive that player. Everything runs in the GUI thread.
class TLxZelkorPlayer : public QObject, public TZelkorEvents, public TZelkorCommands {
public:
    // Throws std::runtime_error "ZELKOR : Unable to find decoder !" when the
    // engine cannot be loaded, or the write error when the files cannot be
    // written. A version mismatch or a player that does not start shows an
    // error box and the binding carries on.
    explicit TLxZelkorPlayer(QObject* Owner, const TEngineSources& Sources = TEngineSources::Embedded());
    ~TLxZelkorPlayer() override;

    QString DecoderFile() const { return m_files.DecoderFile(); }
    QString OutputPluginFile() const { return m_files.OutputPluginFile(); }
    void* LibraryHandle() const { return m_library.Handle(); }
    ZK_ControlChannel* PlayerChannel() const { return m_channel; }
    // The port the player posts to; -1 when it could not be created.
    ZK_WindowHandle NotifyWindow() const { return m_port ? m_port->WriteHandle() : -1; }

private:
    void StartPlayer();
    void ReceiveNotification();
    // Takes and converts the next waiting record; false when none is waiting.
    bool ConvertNext(ZK_Message& message);
    void DrainBeforeDelete();

    TEngineFiles m_files;
    TEngineLibrary m_library;
    std::unique_ptr<TNotifyPort> m_port;
    std::unique_ptr<QSocketNotifier> m_notifier;
    bool m_playerStarted = false;
    bool m_playerExited = false;
};
