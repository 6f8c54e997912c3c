#include "player/mpris/WindowsMprisHost.h"

#include "player/binding/LxZelkorPlayer.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "playlist/LxControls.h"
#include "playlist/TrackFiles.h"
#include "playlist/playlistform.h"
#include "skin/loader/LxAerinSkin.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

void TWindowsMprisHost::Play() { m_windows.mainform->PlayClick(); }

void TWindowsMprisHost::Pause() {
    m_windows.mainform->AerinSkin->SetTag(0);
    m_windows.mainform->PauseClick();
}

void TWindowsMprisHost::Resume() {
    m_windows.mainform->AerinSkin->SetTag(1);
    m_windows.mainform->PauseClick();
}

void TWindowsMprisHost::Stop() { m_windows.mainform->StopClick(); }

void TWindowsMprisHost::Next() { m_windows.mainform->NextClick(); }

void TWindowsMprisHost::Previous() { m_windows.mainform->PreviousClick(); }

void TWindowsMprisHost::Seek(uint32_t offset, uint32_t range) {
    m_windows.mainform->LxZelkorPlayer1->InputSeek(offset, range);
}

void TWindowsMprisHost::Open(const QStringList& names) {
    TLxPlaylist& list = *m_windows.playlistform->LxPlaylist1;
    const int before = list.Count();
    QStringList files;
    for (const QString& name : names) {
        if (name.contains(QLatin1String("://")))
            list.AddItem(name);
        else
            files << name;
    }
    std::exception_ptr error;
    try {
        AddFilesByExtension(list, files);
    } catch (...) {
        error = std::current_exception();
    }
    if (list.Count() > before) m_windows.mainform->PlayFromPlaylist(before);
    if (error) std::rethrow_exception(error);
}

int TWindowsMprisHost::TrackCount() const { return m_windows.playlistform->LxPlaylist1->Count(); }

double TWindowsMprisHost::Volume() const {
    TLxAerinVolume& slider = m_windows.mainform->AerinSkin->Volume();
    return slider.Maximum() > 0 ? double(slider.Position()) / slider.Maximum() : 0.0;
}

void TWindowsMprisHost::SetVolume(double volume) {
    Tmainform& mainform = *m_windows.mainform;
    TLxAerinVolume& slider = mainform.AerinSkin->Volume();
    slider.SetPosition(int(std::lround(std::clamp(volume, 0.0, 1.0) * slider.Maximum())));
    mainform.VolumeChanging();
    mainform.VolumeChanged();
}

void TWindowsMprisHost::Raise() { m_windows.mainform->Restore(); }

void TWindowsMprisHost::Quit() { m_windows.mainform->Exit(); }

TRepeatMode TWindowsMprisHost::Repeat() const { return m_windows.mainform->Controller().Order().Repeat(); }

void TWindowsMprisHost::SetRepeat(TRepeatMode mode) { m_windows.mainform->SetRepeat(mode); }

bool TWindowsMprisHost::Shuffle() const { return m_windows.mainform->Controller().Order().Shuffle(); }

void TWindowsMprisHost::SetShuffle(bool shuffle) { m_windows.mainform->SetShuffle(shuffle); }

bool TWindowsMprisHost::Seekable() const { return m_windows.mainform->Controller().Seekable(); }

QString TWindowsMprisHost::StreamTitle() const { return m_windows.mainform->Controller().StreamTitle(); }

void TWindowsMprisHost::Follow(std::function<void()> changed) {
    TMainController& controller = m_windows.mainform->Controller();
    controller.Order().OnChanged = changed;
    controller.OnTrackInfoChanged = std::move(changed);
}
