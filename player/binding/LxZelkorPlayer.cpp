#include "player/binding/LxZelkorPlayer.h"

#include "player/binding/ApiVersion.h"
#include "player/binding/BindingStrings.h"
#include "player/binding/NotifyDispatch.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QSocketNotifier>
#include <stdexcept>
#include <system_error>

namespace {

// The tag of the ping that marks the end of what the player posted before deletion.
constexpr uint32_t kLastPingTag = 0x5A4B4559;
// How long deletion waits for the player to answer that ping.
constexpr int kLastPingTimeoutMs = 2000;

void ShowError(const QString& text) {
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
}

} // namespace

TLxZelkorPlayer::TLxZelkorPlayer(QObject* Owner, const TEngineSources& Sources)
    : QObject(Owner), m_files(Sources), m_library(m_files.DecoderFile()) {
    if (!m_library.Handle()) throw std::runtime_error(BindingStrings::DecoderNotFound);
    const TEngineExports exports = BindEngineExports(m_library.Handle());
    if (!exports.Complete()) throw std::runtime_error(BindingStrings::DecoderNotFound);
    SetEngine(exports, nullptr);

    const uint32_t version = m_exports.zelkor_get_api_version(ZK_API_VERSION_SELECTOR_CONTROL);
    if (!ApiVersionAccepted(version)) ShowError(ApiMismatchText(version));
    StartPlayer();
}

void TLxZelkorPlayer::StartPlayer() {
    try {
        m_port = std::make_unique<TNotifyPort>();
    } catch (const std::system_error&) {
        ShowError(BindingStrings::CannotStartPlayer);
        return;
    }
    const ZK_WindowHandle window = m_port->WriteHandle();
    if (m_exports.player_new(&m_channel, &window) != 0) {
        ShowError(BindingStrings::CannotStartPlayer);
        return;
    }
    m_playerStarted = true;
    m_notifier = std::make_unique<QSocketNotifier>(m_port->ReadDescriptor(), QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { ReceiveNotification(); });
}

TLxZelkorPlayer::~TLxZelkorPlayer() {
    m_notifier.reset();
    if (m_playerStarted) {
        DrainBeforeDelete();
        m_exports.player_delete(m_channel);
    }
}

void TLxZelkorPlayer::ReceiveNotification() {
    // One record per activation: the notifier fires again while records remain.
    ZK_Message message{};
    if (!ConvertNext(message)) return;
    DispatchNotification(this, *this, message);
}

bool TLxZelkorPlayer::ConvertNext(ZK_Message& message) {
    ZK_PortRecord record;
    if (!m_port->Read(record)) return false;
    m_exports.control_win32_params_to_message(m_channel, &message, record.message, record.wparam, record.lparam);
    if (message.code == ZK_MSG_NOTIFY_EXITED) m_playerExited = true;
    return true;
}

// Every record must be converted on this thread while the channel lives: the
// conversion frees the copies that travel with it. What is waiting is
// converted first; then notifications are switched off and a last ping's
// pong marks the end of what the player has posted. After that only the
// payload-free exited notice can follow.
void TLxZelkorPlayer::DrainBeforeDelete() {
    ZK_Message message{};
    while (ConvertNext(message)) {
    }
    if (m_playerExited || SetNotificationMask(0) != 0 || Ping(kLastPingTag) != 0) return;
    QDeadlineTimer deadline(kLastPingTimeoutMs);
    do {
        while (ConvertNext(message))
            if (message.code == ZK_MSG_NOTIFY_PONG && static_cast<uint32_t>(message.tag.tag) == kLastPingTag) return;
    } while (!m_playerExited && !deadline.hasExpired() &&
             m_port->WaitReadable(static_cast<int>(deadline.remainingTime())));
}
