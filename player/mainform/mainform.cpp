#include "player/mainform/mainform.h"

#include "desktop/LxDragDrop.h"
#include "desktop/LxTrayIcon.h"
#include "desktop/optionsform.h"
#include "player/app/AppStrings.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mainform/MainDialogs.h"
#include "player/mainform/MainFormStrings.h"
#include "player/mixer/LxMultimedia.h"
#include "player/mixer/SoftwareGain.h"
#include "playlist/LxControls.h"
#include "playlist/TrackFiles.h"
#include "playlist/playlistform.h"
#include "skin/loader/LxAerinSkin.h"
#include "tags/LxVisualId3v1.h"
#include "tags/id3form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace S = MainFormStrings;

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

template <typename Control> void ShowHint(Control& control, const char* hint) {
    control.SetShowHint(true);
    control.SetHint(Text(hint));
}

// The system mixer, with the wave volume sent to the engine's gain where no
// mixer element would make it heard.
std::unique_ptr<TMixerDevices> SoftwareGainMixer(TLxZelkorPlayer& engine) {
    return TSoftwareGainMixer::OverSystem([&engine](TEngineLevel level) {
        engine.SetOutputVolume(level.Balance, level.PcmLevel, UINT8_MAX); // master level unchanged
    });
}

// Winding: the first seek after a short hold, then one per interval, each
// moving a few seconds.
constexpr int kWindDelayMs = 350;
constexpr int kWindIntervalMs = 150;
constexpr int kWindSeconds = 2;
constexpr int kVolumeStepPercent = 5;
constexpr int kKeySeekSeconds = 5;

} // namespace

Tmainform::Tmainform(std::unique_ptr<TMainDialogs> dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), AerinSkin(new TLxAerinSkin(this)),
      LxZelkorPlayer1(new TLxZelkorPlayer(this)),
      LxSoundControl1(new TLxSoundControl(this, SoftwareGainMixer(*LxZelkorPlayer1))),
      LxDragDrop1(new TLxDragDrop(this)), LxTrayIcon1(new TLxTrayIcon(this)), Menus(this),
      aerinskinpopup(Menus.aerinskinpopup), traypop(Menus.traypop), m_dialogs(std::move(dialogs)),
      m_trackPlayer(*LxZelkorPlayer1), m_controller(m_trackPlayer, *this), m_windTimer(new QTimer(this)) {
    if (!m_dialogs) m_dialogs = std::make_unique<TStandardMainDialogs>(this);
    AerinSkin->Options().SetAutoRegion(true);
    LxTrayIcon1->SetHint(Text(S::TrayHint));
    LxTrayIcon1->SetPopupMenu(traypop);
    LxTrayIcon1->SetActive(true);
    BindSkin();
    BindMenus();
    BindTray();
    BindEngine();
    LxDragDrop1->OnDrop = [this](TLxDragDrop*, const QPoint&, const QStringList& paths) { DropFiles(paths); };
    FormCreate();
    setFocusPolicy(Qt::StrongFocus);
    connect(m_windTimer, &QTimer::timeout, this, [this] { WindStep(); });
    resize(AerinSkin->size());
    Centre();
    // Every way the application ends (the Exit button, closing the window, a
    // quit signal, the session ending) saves the playlist, whatever is shown.
    // A box would hold up an ending the user did not ask for here.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (m_exiting) return;
        m_exiting = true;
        SaveAtExit(false);
    });
}

Tmainform::~Tmainform() = default;

void Tmainform::SetWindows(Toptionsform* options, Tid3form* tags, Tplaylistform* playlist) {
    m_optionsform = options;
    m_id3form = tags;
    m_playlistform = playlist;
}

void Tmainform::FormCreate() {
    AerinSkin->Labels().Version().SetCaption(Text(AppStrings::MainCaption));
    setWindowTitle(Text(AppStrings::MainCaption));
    AerinSkin->Volume().SetMaximum(250);
    AerinSkin->Volume().SetPosition(LxSoundControl1->WaveVolume());
    SetHints();
    AerinSkin->SetPopupMenu(aerinskinpopup);
}

void Tmainform::SetHints() {
    for (const auto& label : kSkinLabels) ShowHint(AerinSkin->Labels()[label.Control], label.Hint);
    for (const auto& button : kSkinButtons) ShowHint(AerinSkin->Buttons()[button.Control], button.Hint);
    ShowHint(AerinSkin->Volume(), SkinControl(TSkinSlider::Volume).Hint);
    ShowHint(AerinSkin->Position(), SkinControl(TSkinSlider::Position).Hint);
    // Buttons with keys name them in their hints.
    TLxAerinButtons& buttons = AerinSkin->Buttons();
    using A = TPlayerAction;
    const std::pair<TLxAerinButton*, TPlayerAction> keyed[] = {
        {&buttons.Forward(), A::SeekForward}, {&buttons.Next(), A::Next}, {&buttons.Open(), A::AddFiles},
        {&buttons.Pause(), A::Pause},         {&buttons.Play(), A::Play}, {&buttons.Previous(), A::Previous},
        {&buttons.Rewind(), A::SeekBackward}, {&buttons.Stop(), A::Stop},
    };
    for (const auto& [button, action] : keyed) button->SetHint(HintWithKeys(button->Hint(), action));
    TLxAerinVolume& volume = AerinSkin->Volume();
    volume.SetHint(HintWithKeys(volume.Hint(), A::VolumeUp) + u' ' + KeysOf(A::VolumeDown));
}

void Tmainform::BindSkin() {
    TLxAerinSkin& skin = *AerinSkin;
    skin.OnPlayClick() = [this](QObject*) { PlayClick(); };
    skin.OnPauseClick() = [this](QObject*) { PauseClick(); };
    skin.OnStopClick() = [this](QObject*) { StopClick(); };
    // A click after winding has already moved: it adds no step of its own.
    skin.OnForwardClick() = [this](QObject*) {
        if (!std::exchange(m_wound, false)) ForwardClick();
    };
    skin.OnRewindClick() = [this](QObject*) {
        if (!std::exchange(m_wound, false)) RewindClick();
    };
    skin.OnNextClick() = [this](QObject*) { NextClick(); };
    skin.OnPreviousClick() = [this](QObject*) { PreviousClick(); };
    skin.OnOpenClick() = [this](QObject*) { OpenClick(); };
    skin.OnOptionsClick() = [this](QObject*) { OptionsClick(); };
    skin.OnID3Click() = [this](QObject*) { ID3Click(); };
    skin.OnPlaylistClick() = [this](QObject*) { PlaylistClick(); };
    skin.OnMinimizeClick() = [this](QObject*) { MinimizeClick(); };
    const auto windOnPress = [this](int direction) {
        return [this, direction](QObject*, Qt::MouseButton button, TShiftState, int, int) {
            if (button == Qt::LeftButton) Wind(direction);
        };
    };
    const auto windEnd = [this](QObject*, Qt::MouseButton, TShiftState, int, int) { Wind(0); };
    skin.Buttons().Rewind().OnMouseDown() = windOnPress(-1);
    skin.Buttons().Rewind().OnMouseUp() = windEnd;
    skin.Buttons().Forward().OnMouseDown() = windOnPress(1);
    skin.Buttons().Forward().OnMouseUp() = windEnd;
    skin.OnExitClick() = [this](QObject*) { Exit(); };
    skin.OnVolumeChanging() = [this](QObject*) { VolumeChanging(); };
    skin.OnVolumeChanged() = [this](QObject*) { VolumeChanged(); };
    skin.OnPositionChanging() = [this](QObject*) { PositionChanging(); };
    skin.OnPositionChanged() = [this](QObject*) { PositionChanged(); };
    skin.OnCurrentTimeClick() = [this](QObject*) { CurrentTimeClick(); };
    skin.OnSongNameClick() = [this](QObject*) { SongNameClick(); };
    skin.OnStatusClick() = [this](QObject*) { Status(S::StatusClicked); };
    skin.OnBitrateClick() = [this](QObject*) { Status(S::BitrateClicked); };
    skin.OnFrequencyClick() = [this](QObject*) { Status(S::FrequencyClicked); };
    skin.OnLayerClick() = [this](QObject*) { Status(S::LayerClicked); };
    skin.OnTotalTimeClick() = [this](QObject*) { Status(S::TotalTimeClicked); };
    skin.OnVersionClick() = [this](QObject*) { Status(S::VersionClicked); };
}

void Tmainform::BindMenus() {
    const auto bind = [this](QAction* action, auto handler) { connect(action, &QAction::triggered, this, handler); };
    bind(Menus.Restore, [this] { Restore(); });
    bind(Menus.Play, [this] { PlayClick(); });
    bind(Menus.Pause, [this] { PauseClick(); });
    bind(Menus.Stop, [this] { StopClick(); });
    bind(Menus.Forward, [this] { ForwardClick(); });
    bind(Menus.Rewind, [this] { RewindClick(); });
    bind(Menus.Next, [this] { NextClick(); });
    bind(Menus.Previous, [this] { PreviousClick(); });
    bind(Menus.Options, [this] { OptionsClick(); });
    bind(Menus.Id3Tags, [this] { ID3Click(); });
    bind(Menus.Playlist, [this] { PlaylistClick(); });
    bind(Menus.Exit, [this] { Exit(); });
    bind(Menus.AboutSkin, [this] { AerinSkin->ShowAbout(); });
    bind(Menus.Transparent, [this] { TransparentClick(); });
    bind(Menus.LoadSkin, [this] { LoadSkinClick(); });
    bind(Menus.LoadDefault, [this] { LoadDefaultClick(); });
    bind(Menus.ScrollSongname, [this] { SongNameClick(); });
    bind(Menus.DisplayElapsedTime, [this] { CurrentTimeClick(); });
    bind(Menus.Equalizer, [this] { EqualizerClick(); });
    bind(Menus.Shuffle, [this] { ShuffleClick(); });
    bind(Menus.RepeatOff, [this] { SetRepeat(TRepeatMode::Off); });
    bind(Menus.RepeatAll, [this] { SetRepeat(TRepeatMode::All); });
    bind(Menus.RepeatOne, [this] { SetRepeat(TRepeatMode::One); });
    bind(Menus.About, [this] { AboutClick(); });
}

void Tmainform::BindTray() {
    const auto restore = [this](QObject*) { Restore(); };
    LxTrayIcon1->OnClick = restore;
    LxTrayIcon1->OnDblClick = restore;
    LxTrayIcon1->OnRightButtonDblClick = restore;
}

void Tmainform::BindEngine() {
    TLxZelkorPlayer& engine = *LxZelkorPlayer1;
    const auto state = [this](QObject*, int32_t value) { m_controller.StateChanged(value); };
    engine.OnNotifyPlayerState = state;
    engine.OnNotifyInputState = [this](QObject*, int32_t value) { m_controller.InputStateChanged(value); };
    engine.OnNotifyError = [this](QObject*, uint8_t, int16_t, const QString& message) {
        m_controller.ErrorReported(message);
    };
    engine.OnNotifyInputPosition = [this](QObject*, uint32_t offset, uint32_t range) {
        m_controller.PositionChanged(offset, range);
    };
    engine.OnNotifyInputTimecode = [this](QObject*, uint8_t hours, uint8_t minutes, uint8_t seconds, uint8_t) {
        m_controller.TimecodeChanged(hours, minutes, seconds);
    };
    engine.OnNotifyInputDuration = [this](QObject*, uint32_t seconds) { m_controller.DurationChanged(seconds); };
    engine.OnNotifyInputCaps = [this](QObject*, uint32_t caps) { m_controller.InputCapsChanged(caps); };
    engine.OnNotifyInputStreamInfo = [this](QObject*, uint8_t, uint8_t layer, uint16_t bitrate, uint16_t frequency,
                                            uint8_t) { m_controller.StreamInfoChanged(layer, bitrate, frequency); };
    auto* softwareGain = dynamic_cast<TSoftwareGainMixer*>(&LxSoundControl1->Devices());
    engine.OnNotifyOutputState = [softwareGain](QObject*, int32_t) {
        if (softwareGain) softwareGain->OutputOpened();
    };
    engine.OnNotifyInputStreamTitle = [this](QObject*, const QString& title) {
        m_controller.StreamTitleChanged(title);
    };
    engine.OnNotifyInputStreamName = [this](QObject*, const QString& name) { m_controller.StationNameChanged(name); };
    engine.OnNotifyNack = [this](QObject*, uint8_t command, int16_t code) {
        if (command == ZK_MSG_COMMAND_INPUT_OPEN) m_controller.OpenFailed(LxZelkorPlayer1->ErrorString(code));
    };
}

void Tmainform::Centre() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Tmainform::Status(const char* text) { ShowStatus(Text(text)); }

void Tmainform::PlayFromPlaylist(int index) { m_controller.PlayFromPlaylist(index); }

void Tmainform::ShowTags(int index) { m_controller.ShowTags(index); }

bool Tmainform::PlayerKey(int key, Qt::KeyboardModifiers modifiers) {
    const TPlayerAction action = ActionOfKey(key, modifiers);
    if (action == TPlayerAction::None) return false;
    PerformAction(action);
    return true;
}

void Tmainform::PerformAction(TPlayerAction action) {
    using A = TPlayerAction;
    switch (action) {
    case A::None: return;
    case A::PlayPause: m_controller.PlayPause(); return;
    case A::Play: PlayClick(); return;
    case A::Pause: PauseClick(); return;
    case A::Stop: StopClick(); return;
    case A::Next: NextClick(); return;
    case A::Previous: PreviousClick(); return;
    case A::SeekForward: m_controller.SeekSeconds(kKeySeekSeconds); return;
    case A::SeekBackward: m_controller.SeekSeconds(-kKeySeekSeconds); return;
    case A::VolumeUp: StepVolume(kVolumeStepPercent); return;
    case A::VolumeDown: StepVolume(-kVolumeStepPercent); return;
    case A::AddFiles: OpenClick(); return;
    case A::AddUrl:
        if (m_playlistform) m_playlistform->ShowUrlWindow();
        return;
    case A::Equalizer: EqualizerClick(); return;
    case A::Shuffle: ShuffleClick(); return;
    case A::Repeat: RepeatClick(); return;
    }
}

void Tmainform::keyPressEvent(QKeyEvent* event) {
    if (PlayerKey(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void Tmainform::StepVolume(int percent) {
    TLxAerinVolume& volume = AerinSkin->Volume();
    const int step = std::max(1, (volume.Maximum() * std::abs(percent) + 50) / 100);
    volume.SetPosition(std::clamp(volume.Position() + (percent < 0 ? -step : step), 0, volume.Maximum()));
    VolumeChanging();
    const int shown = volume.Maximum() > 0 ? (volume.Position() * 100 + volume.Maximum() / 2) / volume.Maximum() : 0;
    ShowStatus(Text(S::VolumePercent).arg(shown));
}

void Tmainform::EqualizerClick() {
    if (!m_equalizerform) return;
    m_equalizerform->show();
    m_equalizerform->raise();
    m_equalizerform->activateWindow();
}

void Tmainform::ApplyEqualizer(const TEqualizerState& state) {
    // The engine starts without an equalizer: "off" matters only after "on".
    if (!state.Enabled) {
        if (std::exchange(m_equalizerSent, false)) LxZelkorPlayer1->SetCodecEqualizer(nullptr);
        return;
    }
    const ZK_EqualizerInfo bands = EngineBands(state);
    LxZelkorPlayer1->SetCodecEqualizer(&bands);
    m_equalizerSent = true;
}

void Tmainform::ShuffleClick() { SetShuffle(!m_controller.Order().Shuffle()); }

void Tmainform::SetShuffle(bool shuffle) {
    m_controller.Order().SetShuffle(shuffle);
    Menus.Shuffle->setChecked(shuffle);
    Status(shuffle ? S::ShuffleOn : S::ShuffleOff);
}

void Tmainform::RepeatClick() { SetRepeat(m_controller.Order().CycleRepeat()); }

void Tmainform::SetRepeat(TRepeatMode mode) {
    m_controller.Order().SetRepeat(mode);
    QAction* const checked[] = {Menus.RepeatOff, Menus.RepeatAll, Menus.RepeatOne};
    checked[static_cast<int>(mode)]->setChecked(true);
    const char* const texts[] = {S::RepeatOff, S::RepeatAll, S::RepeatOne};
    Status(texts[static_cast<int>(mode)]);
}

void Tmainform::AboutClick() {
    QMessageBox about(QMessageBox::NoIcon, Text(S::AboutTitle),
                      Text(S::AboutText).arg(QStringLiteral(TAERIN_VERSION), KeyReference()), QMessageBox::Ok, this);
    about.exec();
}

void Tmainform::Wind(int direction) {
    m_windDirection = direction;
    if (direction == 0) {
        m_windTimer->stop();
        return;
    }
    m_wound = false;
    m_windTimer->start(kWindDelayMs);
}

void Tmainform::WindStep() {
    if (m_windDirection == 0) return;
    m_wound = true;
    m_windTimer->setInterval(kWindIntervalMs);
    m_controller.SeekSeconds(m_windDirection * kWindSeconds);
    Status(m_windDirection > 0 ? S::Forwarding : S::Rewinding);
}

void Tmainform::OpenClick() {
    Status(S::OpeningDialog);
    const QStringList files = m_dialogs->ChooseFilesToPlay();
    if (!files.isEmpty()) m_controller.AddAndPlay(files);
}

void Tmainform::DropFiles(const QStringList& paths) { m_controller.AddAndPlay(paths); }

void Tmainform::OptionsClick() {
    if (!m_optionsform) return;
    m_optionsform->show();
    m_optionsform->raise();
}

void Tmainform::ID3Click() { m_controller.ShowTags(CurrentIndex()); }

void Tmainform::PlaylistClick() {
    Status(S::ShowingPlaylist);
    if (!m_playlistform) return;
    m_playlistform->show();
    m_playlistform->raise();
}

void Tmainform::MinimizeClick() {
    LxTrayIcon1->SetActive(true);
    if (LxTrayIcon1->Active())
        LxTrayIcon1->HideApplication();
    else
        showMinimized();
}

void Tmainform::HideInTray() {
    LxTrayIcon1->SetActive(true);
    if (!LxTrayIcon1->Active()) return;
    LxTrayIcon1->HideApplication();
    setWindowState(windowState() & ~Qt::WindowMinimized);
}

void Tmainform::Restore() {
    LxTrayIcon1->ShowApplication();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void Tmainform::Exit() {
    if (m_exiting) return;
    m_exiting = true;
    SaveAtExit(true);
    QCoreApplication::quit();
}

void Tmainform::SaveAtExit(bool mayAsk) {
    try {
        if (m_playlistform) m_playlistform->SaveAtExit();
    } catch (const std::exception& error) {
        const QString message = QString::fromUtf8(error.what());
        if (OnSaveError)
            OnSaveError(this, message);
        else if (mayAsk)
            QMessageBox::critical(this, QApplication::applicationDisplayName(), message);
        else
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

void Tmainform::VolumeChanging() {
    Status(S::ChangingVolume);
    LxSoundControl1->SetWaveVolume(static_cast<uint8_t>(std::clamp(AerinSkin->Volume().Position(), 0, 255)));
}

void Tmainform::VolumeChanged() { Status(S::VolumeChanged); }

void Tmainform::PositionChanging() {
    Status(S::ChangingPosition);
    m_controller.ShowSliderTarget();
}

void Tmainform::PositionChanged() {
    m_controller.SeekToSlider();
    Status(S::PositionChanged);
}

void Tmainform::CurrentTimeClick() { Menus.DisplayElapsedTime->setChecked(m_controller.ToggleElapsedTime()); }

void Tmainform::SongNameClick() {
    TLxAerinScrollLabel& songName = AerinSkin->Labels().SongName();
    songName.SetScrolling(!songName.Scrolling());
    Menus.ScrollSongname->setChecked(songName.Scrolling());
    Status(S::ScrollChanged);
}

void Tmainform::TransparentClick() {
    TLxAerinOption& options = AerinSkin->Options();
    options.SetAutoRegion(!options.AutoRegion());
    Menus.Transparent->setChecked(options.AutoRegion());
}

void Tmainform::LoadSkinClick() {
    const QString file = m_dialogs->ChooseSkinFile();
    if (file.isEmpty()) return;
    AerinSkin->SetSkinFile(file);
    resize(AerinSkin->size());
}

void Tmainform::LoadDefaultClick() {
    AerinSkin->SetSkinFile(QString());
    resize(AerinSkin->size());
}

void Tmainform::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            AerinSkin->Activate();
        else
            AerinSkin->Deactivate();
    } else if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        HideInTray();
    }
}

void Tmainform::closeEvent(QCloseEvent* event) {
    Exit();
    event->accept();
}

// TMainFace

void Tmainform::ShowStatus(const QString& text) { AerinSkin->Labels().Status().SetCaption(text); }

void Tmainform::ShowSongName(const QString& text) { AerinSkin->Labels().SongName().SetCaption(text); }

void Tmainform::ShowCurrentTime(const QString& text) { AerinSkin->Labels().CurrentTime().SetCaption(text); }

void Tmainform::SetCurrentTimeHint(const QString& text) { AerinSkin->Labels().CurrentTime().SetHint(text); }

void Tmainform::ShowTotalTime(const QString& text) { AerinSkin->Labels().TotalTime().SetCaption(text); }

void Tmainform::ShowStreamInfo(const QString& layer, const QString& bitrate, const QString& frequency) {
    TLxAerinLabels& labels = AerinSkin->Labels();
    labels.Layer().SetCaption(layer);
    labels.Bitrate().SetCaption(bitrate);
    labels.Frequency().SetCaption(frequency);
}

void Tmainform::ShowPosition(uint32_t offset, uint32_t range) {
    const auto asInt = [](uint32_t value) { return static_cast<int>(std::min<uint32_t>(value, INT_MAX)); };
    AerinSkin->Position().SetMaximum(asInt(range));
    AerinSkin->Position().SetPosition(asInt(offset));
}

int Tmainform::Position() const { return AerinSkin->Position().Position(); }

int Tmainform::PositionMaximum() const { return AerinSkin->Position().Maximum(); }

int Tmainform::PauseFlag() const { return AerinSkin->Tag(); }

void Tmainform::SetPauseFlag(int value) { AerinSkin->SetTag(value); }

int Tmainform::TrackCount() const { return m_playlistform ? m_playlistform->LxPlaylist1->Count() : 0; }

int Tmainform::ItemIndex() const { return m_playlistform ? m_playlistform->LxPlaylist1->ItemIndex() : -1; }

int Tmainform::CurrentIndex() const { return m_playlistform ? m_playlistform->Tag() : -1; }

TPlayingPlace Tmainform::PlayingPlace() const {
    return m_playlistform ? m_playlistform->LxPlaylist1->PlayingPlace() : TPlayingPlace{};
}

QString Tmainform::TrackPath(int index) { return m_playlistform->LxPlaylist1->GetItem(index); }

QString Tmainform::TrackText(int index) const { return m_playlistform->LxPlaylist1->DisplayText(index); }

void Tmainform::MarkStartedTrack(int index) {
    TLxPlaylist& list = *m_playlistform->LxPlaylist1;
    list.UnselectAll();
    list.SetSelected(index, true);
    list.SetItemIndex(index);
    m_playlistform->SetTag(index);
}

void Tmainform::ShowTrackTitle(int index, const QString& title) {
    if (m_playlistform && index >= 0 && index < TrackCount()) m_playlistform->LxPlaylist1->SetNowPlaying(index, title);
}

void Tmainform::RefreshPlaylistCaption() {
    if (m_playlistform) m_playlistform->updatecaption();
}

void Tmainform::AddFiles(const QStringList& paths) {
    if (m_playlistform) AddFilesByExtension(*m_playlistform->LxPlaylist1, paths);
}

void Tmainform::ShowTagsOf(const QString& path) {
    if (!m_id3form) return;
    m_id3form->LxVisualId3v11->SetFilename(path);
    m_id3form->show();
    m_id3form->raise();
}
