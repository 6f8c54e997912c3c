#include "player/mpris/MprisPlayer.h"

#include "desktop/files/FileNames.h"
#include "player/mpris/MprisHost.h"
#include "player/mpris/MprisState.h"

#include <QUrl>
#include <utility>

void TMprisPlayer::Play() {
    if (m_state.Paused())
        m_host.Resume();
    else if (!m_state.Playing())
        m_host.Play();
}

void TMprisPlayer::Pause() {
    if (m_state.Playing()) m_host.Pause();
}

void TMprisPlayer::PlayPause() {
    if (m_state.Playing())
        Pause();
    else
        Play();
}

void TMprisPlayer::Stop() { m_host.Stop(); }

void TMprisPlayer::Next() { m_host.Next(); }

void TMprisPlayer::Previous() { m_host.Previous(); }

std::optional<int64_t> TMprisPlayer::Seek(int64_t offsetUs) {
    if (!CanSeek()) return std::nullopt;
    const std::optional<int64_t> target = m_state.SeekTarget(offsetUs);
    if (!target) {
        Next();
        return std::nullopt;
    }
    return SeekTo(*target);
}

std::optional<int64_t> TMprisPlayer::SetPosition(const QString& trackId, int64_t positionUs) {
    if (!CanSeek() || !m_state.AcceptsPosition(trackId, positionUs)) return std::nullopt;
    return SeekTo(positionUs);
}

std::optional<int64_t> TMprisPlayer::SeekTo(int64_t positionUs) {
    const TMprisState::EngineSeek seek = m_state.EngineSeekOf(positionUs);
    m_host.Seek(seek.Offset, seek.Range);
    const int64_t reached = int64_t(seek.Offset) * 1000;
    m_state.MovedTo(reached);
    return reached;
}

QStringList TMprisPlayer::UriSchemes() { return {"file", "http", "https", "ftp", "udp"}; }

bool TMprisPlayer::OpenUri(const QString& uri) {
    const QUrl url(uri);
    if (url.isLocalFile()) {
        const QString path = PathOfFileUrl(url);
        if (path.isEmpty()) return false;
        m_host.Open({path});
        return true;
    }
    if (!UriSchemes().contains(url.scheme().toLower())) return false;
    m_host.Open({uri});
    return true;
}

QString TMprisPlayer::LoopStatus() const {
    switch (m_host.Repeat()) {
    case TRepeatMode::One: return QStringLiteral("Track");
    case TRepeatMode::All: return QStringLiteral("Playlist");
    case TRepeatMode::Off: break;
    }
    return QStringLiteral("None");
}

void TMprisPlayer::SetLoopStatus(const QString& status) {
    const std::pair<const char*, TRepeatMode> modes[] = {
        {"None", TRepeatMode::Off}, {"Track", TRepeatMode::One}, {"Playlist", TRepeatMode::All}};
    for (const auto& [name, mode] : modes)
        if (status == QLatin1String(name) && mode != m_host.Repeat()) m_host.SetRepeat(mode);
}

bool TMprisPlayer::Shuffle() const { return m_host.Shuffle(); }

void TMprisPlayer::SetShuffle(bool shuffle) {
    if (shuffle != m_host.Shuffle()) m_host.SetShuffle(shuffle);
}

QString TMprisPlayer::Title() const {
    const QString streamTitle = m_host.StreamTitle();
    return streamTitle.isEmpty() ? m_state.Tags().Title : streamTitle;
}

bool TMprisPlayer::CanGoNext() const { return m_host.TrackCount() > 0; }

bool TMprisPlayer::CanPause() const { return m_state.HasTrack() && m_host.TrackCount() > 0; }

bool TMprisPlayer::CanSeek() const { return m_state.CanSeek() && m_host.Seekable(); }
