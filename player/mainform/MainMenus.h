#pragma once

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

// The main window's two context menus: `traypop` for the tray icon (with the
// playback submenu and its shortcuts) and `aerinskinpopup` for the skin.
// Both menus are children of the window.
struct TMainMenus {
    explicit TMainMenus(QWidget* window);

    QMenu* traypop;
    QAction* Restore;
    QMenu* Playback;
    QAction* Play;
    QAction* Pause;
    QAction* Stop;
    QAction* Forward;
    QAction* Rewind;
    QAction* Next;
    QAction* Previous;
    QAction* Options;
    QAction* Id3Tags;
    QAction* Playlist;
    QAction* Exit;

    QMenu* aerinskinpopup;
    QAction* AboutSkin;
    QAction* Transparent;
    QAction* LoadSkin;
    QAction* LoadDefault;
    QAction* ScrollSongname;
    QAction* DisplayElapsedTime;

    // In both menus: the equalizer window, shuffle and the repeat modes
    // (one of three checked), and the About window in the skin's menu.
    QAction* Equalizer;
    QAction* Shuffle;
    QMenu* Repeat;
    QActionGroup* RepeatModes;
    QAction* RepeatOff;
    QAction* RepeatAll;
    QAction* RepeatOne;
    QAction* About;
};
