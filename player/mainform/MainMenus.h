#pragma once

class QAction;
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
};
