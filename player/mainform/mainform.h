#pragma once

#include "player/mainform/MainController.h"
#include "player/mainform/MainDialogs.h"
#include "player/mainform/MainFace.h"
#include "player/mainform/MainMenus.h"
#include "player/equalizer/EqualizerState.h"
#include "player/mainform/PlayerKeys.h"
#include "player/mainform/TrackPlayer.h"
#include "playlist/PlaylistHost.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;
class TLxAerinSkin;
class TLxDragDrop;
class TLxSoundControl;
class TLxTrayIcon;
class TLxZelkorPlayer;
class Tid3form;
class Toptionsform;
class Tplaylistform;

// The main window: frameless, covered by the skin, sized to it. It binds the
// skin's events, its menus, the tray icon, dropped files and the engine's
// notifications to the handlers below, which hand the work to its
// TMainController.
class Tmainform : public QWidget, public TPlaylistHost, private TMainFace {
    Q_OBJECT
public:
    // Without `dialogs` the standard dialogs on screen. Throws when the
    // engine cannot be started (see TLxZelkorPlayer).
    explicit Tmainform(std::unique_ptr<TMainDialogs> dialogs = nullptr, QWidget* parent = nullptr);
    ~Tmainform() override;

    // The other windows, created after this one; they must outlive it or be
    // detached with nulls.
    void SetWindows(Toptionsform* options, Tid3form* tags, Tplaylistform* playlist);

    // TPlaylistHost
    void PlayFromPlaylist(int index) override;
    void ShowTags(int index) override;
    bool PlayerKey(int key, Qt::KeyboardModifiers modifiers) override;

    // The equalizer window, created after this one; null detaches it.
    void SetEqualizerWindow(QWidget* equalizer) { m_equalizerform = equalizer; }
    // Sends the equalizer's bands to the engine, or switches it off.
    void ApplyEqualizer(const TEqualizerState& state);

    TMainController& Controller() { return m_controller; }

    // Handlers of the skin, the menus and the tray icon.
    void PlayClick() { m_controller.Play(); }
    void PauseClick() { m_controller.PauseResume(); }
    void StopClick() { m_controller.Stop(); }
    void ForwardClick() { m_controller.Forward(); }
    void RewindClick() { m_controller.Rewind(); }
    void NextClick() { m_controller.Next(); }
    void PreviousClick() { m_controller.Previous(); }
    // Add and play: the files chosen in OpenDialog1.
    void OpenClick();
    void OptionsClick();
    // The tags of the track last started.
    void ID3Click();
    void PlaylistClick();
    // Minimises the application into the tray (where there is none, as a
    // minimised window).
    void MinimizeClick();
    void Restore();
    // Saves the playlist as the last playlist, then ends the application. A
    // failed save goes to OnSaveError, or into a message box when that is
    // not assigned, and the application ends all the same. Only the first
    // call does this: ending the application closes the window again. The
    // playlist is saved as well when the application is told to quit in any
    // other way (a quit signal), hidden windows or not; a failed save then
    // goes to OnSaveError or standard error.
    void Exit();
    void VolumeChanging();
    void VolumeChanged();
    void PositionChanging();
    void PositionChanged();
    void CurrentTimeClick();
    void SongNameClick();
    void TransparentClick();
    // Load skin keeps the current skin when the chosen one cannot be loaded
    // and throws its error.
    void LoadSkinClick();
    void LoadDefaultClick();
    // Files dropped on the window: added and played as by Add and play.
    void DropFiles(const QStringList& paths);
    // What a key or its menu item does.
    void PerformAction(TPlayerAction action);
    // Moves the volume slider by `percent` of its range and applies it.
    void StepVolume(int percent);
    void EqualizerClick();
    void ShuffleClick();
    void SetShuffle(bool shuffle);
    // Off -> all -> one -> off.
    void RepeatClick();
    void SetRepeat(TRepeatMode mode);
    void AboutClick();
    // Holding Rewind or Forward winds: a seek every few moments while the
    // button is down; `direction` -1 back, 1 forward, 0 released.
    void Wind(int direction);

    // Sender, message text.
    std::function<void(QObject* Sender, const QString& Message)> OnSaveError;

    TLxAerinSkin* AerinSkin;
    TLxZelkorPlayer* LxZelkorPlayer1;
    TLxSoundControl* LxSoundControl1;
    TLxDragDrop* LxDragDrop1;
    TLxTrayIcon* LxTrayIcon1;
    TMainMenus Menus;
    QMenu* aerinskinpopup;
    QMenu* traypop;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void SetHints();
    void BindSkin();
    void BindMenus();
    void BindTray();
    void BindEngine();
    void Centre();
    void HideInTray();
    void SaveAtExit(bool mayAsk);
    void Status(const char* text);
    void WindStep();

    // TMainFace
    void ShowStatus(const QString& text) override;
    void ShowSongName(const QString& text) override;
    void ShowCurrentTime(const QString& text) override;
    void SetCurrentTimeHint(const QString& text) override;
    void ShowTotalTime(const QString& text) override;
    void ShowStreamInfo(const QString& layer, const QString& bitrate, const QString& frequency) override;
    void ShowPosition(uint32_t offset, uint32_t range) override;
    int Position() const override;
    int PositionMaximum() const override;
    int PauseFlag() const override;
    void SetPauseFlag(int value) override;
    int TrackCount() const override;
    int ItemIndex() const override;
    int CurrentIndex() const override;
    TPlayingPlace PlayingPlace() const override;
    QString TrackPath(int index) override;
    QString TrackText(int index) const override;
    void MarkStartedTrack(int index) override;
    void RefreshPlaylistCaption() override;
    void ShowTrackTitle(int index, const QString& title) override;
    void AddFiles(const QStringList& paths) override;
    void ShowTagsOf(const QString& path) override;

    std::unique_ptr<TMainDialogs> m_dialogs;
    TZelkorTrackPlayer m_trackPlayer;
    TMainController m_controller;
    Toptionsform* m_optionsform = nullptr;
    Tid3form* m_id3form = nullptr;
    Tplaylistform* m_playlistform = nullptr;
    QWidget* m_equalizerform = nullptr;
    QTimer* m_windTimer;
    int m_windDirection = 0;
    bool m_wound = false;
    bool m_equalizerSent = false;
    bool m_exiting = false;
};
