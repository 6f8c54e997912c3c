#include "player/mainform/MainMenus.h"

#include "player/mainform/MainFormStrings.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace S = MainFormStrings;

namespace {

QAction* Item(QMenu* menu, const char* caption) { return menu->addAction(QString::fromUtf8(caption)); }

// A playback item whose shortcut works while the window is active.
QAction* PlaybackItem(QMenu* menu, QWidget* window, const char* caption, const char* key) {
    QAction* action = Item(menu, caption);
    action->setShortcut(QKeySequence(QString::fromUtf8(key)));
    window->addAction(action);
    return action;
}

QAction* CheckedItem(QMenu* menu, const char* caption) {
    QAction* action = Item(menu, caption);
    action->setCheckable(true);
    action->setChecked(true);
    return action;
}

} // namespace

TMainMenus::TMainMenus(QWidget* window) : traypop(new QMenu(window)), aerinskinpopup(new QMenu(window)) {
    Restore = Item(traypop, S::MenuRestore);
    traypop->addSeparator();
    Playback = traypop->addMenu(QString::fromUtf8(S::MenuPlayback));
    Play = PlaybackItem(Playback, window, S::MenuPlay, S::KeyPlay);
    Pause = PlaybackItem(Playback, window, S::MenuPause, S::KeyPause);
    Stop = PlaybackItem(Playback, window, S::MenuStop, S::KeyStop);
    Forward = PlaybackItem(Playback, window, S::MenuForward, S::KeyForward);
    Rewind = PlaybackItem(Playback, window, S::MenuRewind, S::KeyRewind);
    Next = PlaybackItem(Playback, window, S::MenuNext, S::KeyNext);
    Previous = PlaybackItem(Playback, window, S::MenuPrevious, S::KeyPrevious);
    Options = Item(traypop, S::MenuOptions);
    Id3Tags = Item(traypop, S::MenuId3);
    Playlist = Item(traypop, S::MenuPlaylist);
    traypop->addSeparator();
    Exit = Item(traypop, S::MenuExit);

    AboutSkin = Item(aerinskinpopup, S::MenuAboutSkin);
    Transparent = CheckedItem(aerinskinpopup, S::MenuTransparent);
    LoadSkin = Item(aerinskinpopup, S::MenuLoadSkin);
    LoadDefault = Item(aerinskinpopup, S::MenuLoadDefault);
    ScrollSongname = CheckedItem(aerinskinpopup, S::MenuScrollSongName);
    DisplayElapsedTime = CheckedItem(aerinskinpopup, S::MenuElapsedTime);

    aerinskinpopup->addSeparator();
    Equalizer = Item(aerinskinpopup, S::MenuEqualizer);
    Shuffle = CheckedItem(aerinskinpopup, S::MenuShuffle);
    Shuffle->setChecked(false);
    Repeat = aerinskinpopup->addMenu(QString::fromUtf8(S::MenuRepeat));
    RepeatModes = new QActionGroup(Repeat);
    RepeatOff = CheckedItem(Repeat, S::MenuRepeatOff);
    RepeatAll = CheckedItem(Repeat, S::MenuRepeatAll);
    RepeatOne = CheckedItem(Repeat, S::MenuRepeatOne);
    for (QAction* mode : {RepeatOff, RepeatAll, RepeatOne}) RepeatModes->addAction(mode);
    RepeatOff->setChecked(true);
    aerinskinpopup->addSeparator();
    About = Item(aerinskinpopup, S::MenuAbout);

    Playback->addSeparator();
    Playback->addAction(Shuffle);
    Playback->addMenu(Repeat);
    Playback->addAction(Equalizer);
}
