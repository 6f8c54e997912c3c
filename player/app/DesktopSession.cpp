#include "player/app/DesktopSession.h"

#include "desktop/SingleInstance.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mainform/StartUpOptions.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "player/mpris/MprisService.h"
#include "player/mpris/WindowsMprisHost.h"

TDesktopSession::TDesktopSession() : m_instance(std::make_unique<TSingleInstance>()) {}

// Members go in reverse order: the service before the host it uses.
TDesktopSession::~TDesktopSession() = default;

bool TDesktopSession::HandedOver(const TStartUpOptions& options) { return m_instance->HandOverOrListen(options.Files); }

void TDesktopSession::WindowsCreated(TTaerinWindows& windows) {
    Tmainform& mainform = *windows.mainform;
    m_instance->OnRequest = [&mainform](const QStringList& names) {
        mainform.Restore();
        if (!names.isEmpty()) mainform.DropFiles(names);
    };
    m_mprisHost = std::make_unique<TWindowsMprisHost>(windows);
    m_mpris = std::make_unique<TMprisService>(*m_mprisHost);
    m_mpris->AttachTo(*mainform.LxZelkorPlayer1);
    m_mpris->Register(SessionBusIfAny());
}
