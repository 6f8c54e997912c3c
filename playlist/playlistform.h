#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;
class QPushButton;
class QTimer;
class TLxDragDrop;
class TLxPlaylist;
class TPlaylistDialogs;
class TPlaylistHost;
class Turlform;

// The playlist window: the playlist with four menu buttons, keys, double
// click and dropped files, and the start-up loading of the playlist.
class Tplaylistform : public QWidget {
    Q_OBJECT
public:
    // Uses the standard dialogs on screen.
    explicit Tplaylistform(TPlaylistHost& host, QWidget* parent = nullptr);
    Tplaylistform(TPlaylistHost& host, std::unique_ptr<TPlaylistDialogs> dialogs, QWidget* parent = nullptr);
    ~Tplaylistform() override;

    // Start-up, once the main window can play: restores the last playlist,
    // adds or loads the command-line `parameters` (as absolute paths), then
    // plays the first file they added; a restored list alone only marks its
    // first line. Errors of unreadable playlists are thrown together after
    // everything else was done.
    void LoadAtStartup(const QStringList& parameters);
    // At exit: saves the playlist for the next start (see LastPlaylist.h).
    void SaveAtExit() const;

    // Line of the track last started, -1 when it is no longer in the list;
    // the main window sets it, the playlist follows it as lines move.
    int Tag() const;
    void SetTag(int value);
    // Caption := "Playlist Window... " + (Tag + 1) + "/" + count + " tracks",
    // then the list's total time once durations are known.
    void updatecaption();

    // The duration of a file in seconds, -1 when unknown; the lines' tags
    // and durations are read in the background after they are added.
    std::function<int(const QString& path)> DurationOf;
    // Reads the tags and durations of the next few lines; false when every
    // line has been read.
    bool ReadTrackInfo();

    // Handlers of the menus, keys and list events.
    void AddFiles();
    void AddDirectory();
    void ShowUrlWindow();
    void LoadReplacing();
    void LoadAppending();
    void SaveM3u();
    void SaveHtml();
    void ShowInfo();
    void LxPlaylist1DblClick();
    void LxPlaylist1KeyDown(int key);
    void DropFiles(const QStringList& paths);
    void PopupButtonMenu(QPushButton* button, QMenu* menu);
    // Return plays the marked line, Delete removes the selection, Insert
    // adds files; the player's keys (except the arrows, which move in the
    // list) go to the main window. True when the key was used.
    bool ListKey(int key, Qt::KeyboardModifiers modifiers);

    TLxPlaylist* LxPlaylist1;
    QPushButton* AddButton;
    QPushButton* DeleteButton;
    QPushButton* SelectButton;
    QPushButton* MiscButton;
    QMenu* addpopup;
    QMenu* deletepopup;
    QMenu* selectpopup;
    QMenu* miscpopup;
    TLxDragDrop* LxDragDrop1;
    std::unique_ptr<Turlform> urlform;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void ScanFolder(const QString& folder);
    QString ChooseSaveName(const char* filter, const char* extension);

    TPlaylistHost& host_;
    std::unique_ptr<TPlaylistDialogs> dialogs_;
    QTimer* infoTimer_;
    int infoCursor_ = 0;
};
