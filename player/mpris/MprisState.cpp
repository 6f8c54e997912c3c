#include "player/mpris/MprisState.h"

#include "desktop/files/FileNames.h"

#include <algorithm>

namespace {

constexpr int64_t kMicroseconds = 1000000;

} // namespace

void TMprisState::TrackOpened(const QString& name, const TTrackTags& tags) {
    m_name = name;
    m_tags = tags;
    ++m_trackNumber;
    m_positionUs = 0;
    m_lengthUs = 0;
}

void TMprisState::PlayerStateChanged(int32_t state) {
    m_state = state;
    if (state == 0) m_positionUs = 0;
}

void TMprisState::DurationChanged(uint32_t seconds) { m_lengthUs = int64_t(seconds) * kMicroseconds; }

void TMprisState::TimecodeChanged(int hours, int minutes, int seconds, int hundredths) {
    m_positionUs = ((int64_t(hours) * 60 + minutes) * 60 + seconds) * kMicroseconds + int64_t(hundredths) * 10000;
}

QString TMprisState::PlaybackStatus() const {
    if (Paused()) return QStringLiteral("Paused");
    if (Playing()) return QStringLiteral("Playing");
    return QStringLiteral("Stopped");
}

QString TMprisState::TrackId() const {
    return HasTrack() ? QStringLiteral("/org/taerin/track/%1").arg(m_trackNumber)
                      : QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
}

QString TMprisState::Url() const {
    if (m_name.contains(QLatin1String("://"))) return m_name;
    return FileUrlOfPath(m_name);
}

std::optional<int64_t> TMprisState::SeekTarget(int64_t offsetUs) const {
    if (!CanSeek()) return std::nullopt;
    const int64_t target = std::max<int64_t>(0, m_positionUs + offsetUs);
    if (target > m_lengthUs) return std::nullopt;
    return target;
}

bool TMprisState::AcceptsPosition(const QString& trackId, int64_t positionUs) const {
    return CanSeek() && trackId == TrackId() && positionUs >= 0 && positionUs <= m_lengthUs;
}

TMprisState::EngineSeek TMprisState::EngineSeekOf(int64_t positionUs) const {
    const int64_t length = std::max<int64_t>(1, m_lengthUs / 1000);
    const int64_t offset = std::clamp<int64_t>(positionUs / 1000, 0, length);
    return {static_cast<uint32_t>(offset), static_cast<uint32_t>(length)};
}
