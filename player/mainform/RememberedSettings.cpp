#include "player/mainform/RememberedSettings.h"

#include "player/equalizer/EqualizerForm.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "player/settings/TaerinSettings.h"
#include "playlist/playlistform.h"
#include "skin/loader/LxAerinSkin.h"
#include "tags/id3form.h"

#include <QGuiApplication>
#include <QScreen>
#include <utility>

namespace {

QList<QRect> AvailableScreens() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

// The windows whose places are kept, by their names in the settings.
std::pair<const char*, QWidget*> Places(TTaerinWindows& windows, int index) {
    switch (index) {
    case 0: return {"main", windows.mainform.get()};
    case 1: return {"playlist", windows.playlistform.get()};
    case 2: return {"equalizer", windows.equalizerform.get()};
    default: return {"tags", windows.id3form.get()};
    }
}
constexpr int kPlaceCount = 4;

} // namespace

TRememberedSettings::TRememberedSettings(TTaerinWindows& windows, TTaerinSettings& settings)
    : m_windows(windows), m_settings(settings) {
    SetDialogFolders(this);
}

TRememberedSettings::~TRememberedSettings() { SetDialogFolders(nullptr); }

void TRememberedSettings::Restore() {
    Tmainform& mainform = *m_windows.mainform;
    const QString status = mainform.AerinSkin->Labels().Status().Caption();
    if (const auto volume = m_settings.Volume()) {
        mainform.AerinSkin->Volume().SetPosition(*volume);
        mainform.VolumeChanging();
    }
    mainform.SetShuffle(m_settings.Shuffle());
    mainform.SetRepeat(static_cast<TRepeatMode>(m_settings.RepeatMode()));
    if (m_settings.ElapsedTime() != mainform.Controller().Time().Elapsed()) mainform.CurrentTimeClick();

    TEqualizerModel& equalizer = m_windows.equalizerform->Model();
    equalizer.SetUserPresets(m_settings.EqualizerPresets());
    equalizer.SetState(m_settings.Equalizer());

    for (int i = 0; i < kPlaceCount; ++i) {
        const auto [name, window] = Places(m_windows, i);
        if (const auto place = m_settings.WindowPosition(QString::fromUtf8(name)))
            window->move(KeptOnScreen(*place, window->size(), AvailableScreens()));
    }
    mainform.AerinSkin->Labels().Status().SetCaption(status);
}

void TRememberedSettings::ShowWindows() {
    if (m_settings.PlaylistVisible()) m_windows.playlistform->show();
}

bool TRememberedSettings::Store() {
    Tmainform& mainform = *m_windows.mainform;
    m_settings.SetVolume(mainform.AerinSkin->Volume().Position());
    const TPlaybackOrder& order = mainform.Controller().Order();
    m_settings.SetShuffle(order.Shuffle());
    m_settings.SetRepeatMode(static_cast<int>(order.Repeat()));
    m_settings.SetElapsedTime(mainform.Controller().Time().Elapsed());
    m_settings.SetPlaylistVisible(m_windows.playlistform->isVisible());
    const TEqualizerModel& equalizer = m_windows.equalizerform->Model();
    m_settings.SetEqualizer(equalizer.State());
    m_settings.SetEqualizerPresets(equalizer.UserPresets());
    for (int i = 0; i < kPlaceCount; ++i) {
        const auto [name, window] = Places(m_windows, i);
        if (window->isVisible() || window->testAttribute(Qt::WA_Moved))
            m_settings.SetWindowPosition(QString::fromUtf8(name), window->pos());
    }
    return m_settings.Sync();
}

QString TRememberedSettings::Folder(const QString& key) const { return m_settings.LastFolder(key); }

void TRememberedSettings::SetFolder(const QString& key, const QString& folder) {
    m_settings.SetLastFolder(key, folder);
}
