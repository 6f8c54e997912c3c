// The whole program on a real X server under a window manager (see
// CMakeLists.txt): unplayable playlists, cancelled loads, quitting while
// hidden in the tray, clicks on the face and sorting while a track plays.
#include "desktop/LxTrayIcon.h"
#include "player/app/QuitSignals.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mainform/MainFormTestSupport.h"
#include "player/mainform/TaerinWindows.h"
#include "player/mainform/mainform.h"
#include "playlist/LxControls.h"
#include "playlist/playlistform.h"
#include "skin/controls/LxCustomLabel.h"
#include "skin/controls/LxImage.h"
#include "skin/controls/LxScrollingLabel.h"
#include "skin/loader/LxAerinSkin.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace {

// Owns the tray selection of the first screen and says so, as a desktop's
// notification area does, so that the program finds a tray. Icons are never
// embedded: their windows stay where Qt puts them.
class TTrayOwner {
public:
    TTrayOwner() {
        auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11) return;
        m_connection = x11->connection();
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const xcb_atom_t selection = Atom("_NET_SYSTEM_TRAY_S0");
        xcb_set_selection_owner(m_connection, m_window, selection, XCB_CURRENT_TIME);
        xcb_client_message_event_t manager{};
        manager.response_type = XCB_CLIENT_MESSAGE;
        manager.format = 32;
        manager.window = screen->root;
        manager.type = Atom("MANAGER");
        manager.data.data32[0] = XCB_CURRENT_TIME;
        manager.data.data32[1] = selection;
        manager.data.data32[2] = m_window;
        xcb_send_event(m_connection, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&manager));
        xcb_flush(m_connection);
    }
    ~TTrayOwner() {
        if (!m_connection) return;
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    TTrayOwner(const TTrayOwner&) = delete;
    TTrayOwner& operator=(const TTrayOwner&) = delete;

private:
    xcb_atom_t Atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return atom;
    }

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_window = 0;
};

class KeepsTheUsersWork : public ::testing::Test {
protected:
    void Start() {
        auto answers = std::make_unique<TAnsweringDialogs>();
        dialogs = answers.get();
        windows = std::make_unique<TTaerinWindows>(std::move(answers));
        mainform = windows->mainform.get();
        playlistform = windows->playlistform.get();
        playlist = playlistform->LxPlaylist1;
        mainform->LxZelkorPlayer1->OnNotifyMessage = [this](QObject*, ZK_Message& message) {
            if (message.code == ZK_MSG_NOTIFY_ACK && message.byte.command == ZK_MSG_COMMAND_INPUT_OPEN) ++opens;
            if (message.code == ZK_MSG_NOTIFY_NACK && message.nack.command == ZK_MSG_COMMAND_INPUT_OPEN) ++opens;
        };
        mainform->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainform));
    }

    QString Status() { return mainform->AerinSkin->Labels().Status().Caption(); }
    QString Track(const char* name) { return QDir(files.path()).filePath(name); }
    void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void WriteLastPlaylist(const QStringList& paths) {
        QDir().mkpath(QFileInfo(folders.LastPlaylist()).path());
        WriteFile(folders.LastPlaylist(), (paths.join("\r\n") + "\r\n").toUtf8());
    }

    TPrivateFolders folders;
    QTemporaryDir files;
    TAnsweringDialogs* dialogs = nullptr;
    std::unique_ptr<TTaerinWindows> windows;
    Tmainform* mainform = nullptr;
    Tplaylistform* playlistform = nullptr;
    TLxPlaylist* playlist = nullptr;
    int opens = 0;
};

} // namespace

// Restored at every start, a list of nothing playable used to cycle for ever.
TEST_F(KeepsTheUsersWork, APlaylistOfOnlyUnplayableFilesStopsAfterOnePass) {
    WriteFile(Track("empty.mp3"), "");
    QByteArray noise;
    for (int i = 0; i < 20000; ++i) noise.append(char((i * 7919) % 251));
    WriteFile(Track("noise.mp3"), noise);
    WriteLastPlaylist({Track("empty.mp3"), Track("noise.mp3"), Track("gone.mp3")});
    Start();
    playlistform->LoadAtStartup({});
    mainform->PlayClick(); // the restored list waits for the user
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status().startsWith("Stopped: nothing in the playlist plays"); }, 10000))
        << Status().toStdString();
    const int opened = opens;
    EXPECT_EQ(opened, 3);
    QTest::qWait(500);
    EXPECT_EQ(opens, opened); // at rest
    EXPECT_EQ(playlist->Count(), 3);

    // A playable track among them plays after the skipped ones.
    playlist->AddItem(FirstTrack());
    mainform->PlayFromPlaylist(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return playlistform->Tag() == 3; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Status().startsWith("Skipped gone.mp3"); }, 1000))
        << Status().toStdString();
    mainform->StopClick();
}

TEST_F(KeepsTheUsersWork, ACancelledOrFailedReplaceKeepsTheListAndItIsSavedAtExit) {
    Start();
    playlist->AddItems({FirstTrack(), SecondTrack()});
    const auto cancelDialog = [] {
        QTimer::singleShot(200, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
        });
    };
    cancelDialog();
    playlistform->LoadReplacing(); // the real file dialog, cancelled
    EXPECT_EQ(playlist->Model().Paths(), QStringList({FirstTrack(), SecondTrack()}));

    mainform->Exit();
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n" + SecondTrack() + "\r\n");
}

TEST_F(KeepsTheUsersWork, QuitSignalWhileHiddenInTheTraySavesTheListAndTheTrayIconStays) {
    const TTrayOwner tray;
    TQuitSignals quitSignals;
    Start();
    ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 2000));
    mainform->LxTrayIcon1->SetActive(true);
    ASSERT_TRUE(mainform->LxTrayIcon1->Active());
    playlist->AddItems({FirstTrack(), SecondTrack()});
    playlistform->show();
    QTest::qWait(200);
    QWidgetList trayWindows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != mainform && window != playlistform) trayWindows << window;
    ASSERT_FALSE(trayWindows.isEmpty()); // the icon's own window

    mainform->MinimizeClick();
    EXPECT_FALSE(mainform->isVisible());
    EXPECT_FALSE(playlistform->isVisible());
    for (QWidget* window : trayWindows) EXPECT_TRUE(window->isVisible()) << window->metaObject()->className();

    QTimer::singleShot(100, [] { std::raise(SIGTERM); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(3); }); // the signal went unheard
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(PlaylistEntries(folders.LastPlaylist()), FirstTrack() + "\r\n" + SecondTrack() + "\r\n");
}

TEST_F(KeepsTheUsersWork, ClickingTheFaceKeepsItsLookAndItsPlace) {
    Start();
    mainform->activateWindow();
    static_cast<void>(QTest::qWaitForWindowActive(mainform)); // the clicks below do not need the focus
    QTest::qWait(200);
    TLxImage* face = mainform->AerinSkin->MainImage();
    const QImage look = face->Picture().toImage();
    const QPoint place = mainform->pos();
    ASSERT_FALSE(look.isNull());

    QTest::mouseClick(face, Qt::LeftButton, {}, QPoint(120, 120));
    QTest::qWait(300);
    EXPECT_EQ(face->Picture().toImage(), look);
    EXPECT_EQ(mainform->pos(), place);

    // A press on the display, then the pointer over the face: no jump.
    TLxCustomLabel* display = mainform->AerinSkin->Labels().Status().Control();
    QTest::mousePress(display, Qt::LeftButton, {}, QPoint(2, 2));
    QMouseEvent over(QEvent::MouseMove, QPointF(200, 150), face->mapToGlobal(QPointF(200, 150)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(face, &over);
    QTest::mouseRelease(display, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::qWait(200);
    EXPECT_EQ(mainform->pos(), place);
    EXPECT_EQ(face->Picture().toImage(), look);
}

TEST_F(KeepsTheUsersWork, SortingWhileATrackPlaysPlaysTheLineAfterItInTheNewOrder) {
    for (const char* name : {"a.mp3", "b.mp3", "c.mp3"}) ASSERT_TRUE(QFile::copy(FirstTrack(), Track(name)));
    Start();
    playlist->AddItems({Track("a.mp3"), Track("b.mp3"), Track("c.mp3")});
    mainform->SetRepeat(TRepeatMode::All);
    mainform->PlayFromPlaylist(0);
    playlistform->miscpopup->actions().at(0)->menu()->actions().at(1)->trigger(); // "by Path inverted"
    EXPECT_EQ(playlist->Model().Path(2), Track("a.mp3"));
    EXPECT_EQ(playlistform->Tag(), 2);
    EXPECT_EQ(playlistform->windowTitle(), "Playlist Window... 3/3 tracks");
    // a.mp3 ends: the next line of the new order is the first, c.mp3.
    ASSERT_TRUE(QTest::qWaitFor([&] { return playlistform->Tag() == 0; }, 10000));
    EXPECT_EQ(playlist->Model().Path(0), Track("c.mp3"));

    playlist->DeleteAll();
    playlistform->updatecaption();
    EXPECT_EQ(playlistform->windowTitle(), "Playlist Window... 0/0 tracks");
    mainform->StopClick();
}
