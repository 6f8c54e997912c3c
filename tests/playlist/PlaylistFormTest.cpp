#include "PlaylistTestFiles.h"

#include "desktop/LxDragDrop.h"
#include "playlist/LastPlaylist.h"
#include "playlist/LxControls.h"
#include "playlist/PlaylistDialogs.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistStrings.h"
#include "playlist/playlistform.h"
#include "playlist/urlform.h"
#include "skin/controls/LxEdit.h"

#include <QDir>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

// Records the calls into the main window and, like it, marks the started
// line and refreshes the caption.
class FakeHost : public TPlaylistHost {
public:
    void PlayFromPlaylist(int index) override {
        played.push_back(index);
        if (form) {
            form->SetTag(index);
            form->updatecaption();
        }
    }
    void ShowTags(int index) override { tags.push_back(index); }
    bool PlayerKey(int key, Qt::KeyboardModifiers) override {
        keys << key;
        return true;
    }

    Tplaylistform* form = nullptr;
    std::vector<int> played;
    QList<int> keys;
    std::vector<int> tags;
};

// Answers the window's dialogs with prepared choices ("" = cancel).
class FakeDialogs : public TPlaylistDialogs {
public:
    QStringList ChooseFilesToAdd() override { return files; }
    QString ChoosePlaylistToLoad() override { return playlist; }
    QString ChooseSaveName(const QString& filter, const QString& defaultExt) override {
        saveFilter = filter;
        saveExt = defaultExt;
        return saveName;
    }
    QString ChooseDirectory() override { return directory; }

    QStringList files;
    QString playlist;
    QString saveName;
    QString directory;
    QString saveFilter;
    QString saveExt;
};

class PlaylistForm : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(config_.isValid());
        ASSERT_TRUE(files_.isValid());
        savedConfigHome_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        auto dialogs = std::make_unique<FakeDialogs>();
        dialogs_ = dialogs.get();
        form_ = std::make_unique<Tplaylistform>(host_, std::move(dialogs));
        host_.form = form_.get();
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfigHome_); }

    TLxPlaylist& List() { return *form_->LxPlaylist1; }
    QString File(const QString& name) const { return files_.filePath(name); }
    void WriteLastPlaylist(int lines) {
        QByteArray text;
        for (int i = 0; i < lines; ++i) text += QString("/restored/%1.mp3\r\n").arg(i).toUtf8();
        WriteBytes(config_.filePath("taerin/last.m3u"), text);
    }

    QTemporaryDir config_;
    QTemporaryDir files_;
    QByteArray savedConfigHome_;
    FakeHost host_;
    FakeDialogs* dialogs_ = nullptr;
    std::unique_ptr<Tplaylistform> form_;
};

} // namespace

TEST_F(PlaylistForm, StartupPlaysTheFirstNamedFileAndOnlyMarksARestoredList) {
    form_->LoadAtStartup({});
    EXPECT_EQ(List().Count(), 0);
    EXPECT_TRUE(host_.played.empty());
    EXPECT_EQ(form_->windowTitle(), "Playlist Window");

    // The restored list waits for the user, its first line marked.
    WriteLastPlaylist(5);
    form_->LoadAtStartup({});
    EXPECT_EQ(List().Count(), 5);
    EXPECT_TRUE(host_.played.empty());
    EXPECT_EQ(List().ItemIndex(), 0);
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 0/5 tracks");

    List().DeleteAll();
    host_.played.clear();
    form_->LoadAtStartup({"/new/one.mp3", "/new/two.MP3"});
    EXPECT_EQ(List().Count(), 7);
    EXPECT_EQ(host_.played, std::vector<int>{5});
    EXPECT_EQ(List().Model().Path(5), "/new/one.mp3");

    // Parameters that add nothing play nothing; relative names are made
    // absolute so that the saved list finds them from anywhere.
    List().DeleteAll();
    host_.played.clear();
    form_->LoadAtStartup({"/new/sound.wav"});
    EXPECT_EQ(List().Count(), 5);
    EXPECT_TRUE(host_.played.empty());
    List().DeleteAll();
    form_->LoadAtStartup({"relative/three.mp3", "http://host/stream.mp3"});
    EXPECT_EQ(List().Model().Path(5), QDir::current().absoluteFilePath("relative/three.mp3"));
    EXPECT_EQ(List().Model().Path(6), "http://host/stream.mp3");
}

TEST_F(PlaylistForm, ReturnPlaysTheMarkedLineAndOtherKeysGoToThePlayer) {
    List().AddItems({"/a.mp3", "/b.mp3"});
    List().SetItemIndex(1);
    QTest::keyClick(&List(), Qt::Key_Return);
    EXPECT_EQ(host_.played, std::vector<int>{1});
    QTest::keyClick(&List(), Qt::Key_Space);
    QTest::keyClick(&List(), Qt::Key_Down); // the list's own
    EXPECT_EQ(host_.keys, (QList<int>{Qt::Key_Space}));
    List().SetSelected(0, true);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(List().Count(), 1);
}

TEST_F(PlaylistForm, StartupLoadsPlaylistParametersAndReportsBrokenOnesLast) {
    WriteBytes(File("list.m3u"), "#EXTM3U\r\nx.mp3\r\n");
    WriteBytes(config_.filePath("taerin/last.m3u"), QByteArray("\x00junk", 5));
    EXPECT_THROW(form_->LoadAtStartup({File("list.m3u"), "/y.mp2"}), std::runtime_error);
    EXPECT_EQ(List().Model().Paths(), QStringList({File("x.mp3"), "/y.mp2"}));
    EXPECT_EQ(host_.played, std::vector<int>{0});
}

TEST_F(PlaylistForm, ExitSavesTheLastListAndTheCaptionCountsTracks) {
    List().AddItems({"/a.mp3", "http://host/b"});
    form_->SaveAtExit();
    EXPECT_EQ(LastPlaylistFile(), config_.filePath("taerin/last.m3u"));
    EXPECT_EQ(ReadBytes(config_.filePath("taerin/last.m3u")), "/a.mp3\r\nhttp://host/b\r\n");

    // The caption shows the started track and the count.
    host_.PlayFromPlaylist(0);
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 1/2 tracks");
    List().DeleteItem(1);
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 1/1 tracks");
}

TEST_F(PlaylistForm, AddFilesAddsTracksLoadsListsAndPlaysNothing) {
    WriteBytes(File("more.m3u"), "/listed.mp3\n");
    dialogs_->files = {"/a.mp3", "/b.ogg", File("more.m3u"), "/c.mp1"};
    QTest::keyClick(&List(), Qt::Key_Insert);
    EXPECT_EQ(List().Model().Paths(), QStringList({"/a.mp3", "/listed.mp3", "/c.mp1"}));
    EXPECT_TRUE(host_.played.empty());

    dialogs_->files = {};
    form_->AddFiles();
    EXPECT_EQ(List().Count(), 3);
}

TEST_F(PlaylistForm, AddDirectoryScansTheTreeInNaturalNameOrder) {
    for (const char* name : {"d/10 x.mp3", "d/2 x.mp3", "d/B.mp2", "d/a.MP3", "d/c.mpeg", "d/d.mp4", "d/sub/e.mp3"})
        WriteBytes(File(name), "x");
    dialogs_->directory = File("d");
    QStringList captions;
    QObject::connect(form_.get(), &QWidget::windowTitleChanged,
                     [&](const QString& caption) { captions.append(caption); });
    form_->AddDirectory();
    EXPECT_TRUE(captions.contains("Scanning: " + File("d")));
    EXPECT_TRUE(captions.contains("Scanning: " + File("d/sub")));
    EXPECT_EQ(List().Model().Paths(), QStringList({File("d/2 x.mp3"), File("d/10 x.mp3"), File("d/a.MP3"),
                                                   File("d/B.mp2"), File("d/sub/e.mp3")}));
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 0/5 tracks"); // nothing started yet

    dialogs_->directory.clear();
    form_->setWindowTitle("untouched");
    form_->AddDirectory();
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 0/5 tracks");
}

TEST_F(PlaylistForm, ReplacingTakesTheListOnlyOnceItWasReadAndTheCaptionFollowsThePlayingLine) {
    WriteBytes(File("l.m3u"), "/l1.mp3\r\n/l2.mp3\r\n");
    List().AddItems({"/c.mp3", "/a.mp3", "/b.mp3"});
    host_.PlayFromPlaylist(2);
    form_->miscpopup->actions().at(0)->menu()->actions().at(0)->trigger(); // "&Sort" > "by &Path"
    EXPECT_EQ(form_->Tag(), 1);
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 2/3 tracks");

    dialogs_->playlist.clear();
    form_->LoadReplacing(); // Cancel
    dialogs_->playlist = File("missing.m3u");
    EXPECT_THROW(form_->LoadReplacing(), std::runtime_error);
    EXPECT_EQ(List().Model().Paths(), QStringList({"/a.mp3", "/b.mp3", "/c.mp3"}));

    dialogs_->playlist = File("l.m3u");
    form_->LoadAppending();
    EXPECT_EQ(List().Count(), 5);
    form_->LoadReplacing();
    EXPECT_EQ(List().Model().Paths(), QStringList({"/l1.mp3", "/l2.mp3"}));
    EXPECT_EQ(form_->windowTitle(), "Playlist Window... 0/2 tracks");
}

TEST_F(PlaylistForm, SaveM3uAndHtmlWriteTheChosenFiles) {
    List().AddItems({"/m/a&b.mp3", "/m/c.mp3"});
    dialogs_->saveName = File("out.m3u");
    form_->SaveM3u();
    EXPECT_EQ(dialogs_->saveFilter, PlaylistStrings::M3uFilter);
    EXPECT_EQ(dialogs_->saveExt, "M3U");
    EXPECT_EQ(ReadBytes(File("out.m3u")), "/m/a&b.mp3\r\n/m/c.mp3\r\n");

    dialogs_->saveName = File("out.html");
    form_->SaveHtml();
    EXPECT_EQ(dialogs_->saveFilter, PlaylistStrings::HtmlFilter);
    EXPECT_EQ(dialogs_->saveExt, "HTML");
    EXPECT_TRUE(ReadBytes(File("out.html"))
                    .contains("<tr><td><a href=\"file:///m/a&amp;b.mp3\">1. a&amp;b.mp3</a></td></tr>\r\n"));

    dialogs_->saveName = File("missing/folder/x.html");
    EXPECT_THROW(form_->SaveHtml(), std::runtime_error);
}

TEST_F(PlaylistForm, DoubleClickInfoAndDeleteKeyUseTheMarkedLine) {
    form_->LxPlaylist1DblClick();
    form_->ShowInfo();
    EXPECT_TRUE(host_.played.empty());
    EXPECT_TRUE(host_.tags.empty());

    List().AddItems({"/a.mp3", "/b.mp3", "/c.mp3"});
    List().SetItemIndex(1);
    form_->LxPlaylist1DblClick();
    form_->ShowInfo();
    EXPECT_EQ(host_.played, std::vector<int>{1});
    EXPECT_EQ(host_.tags, std::vector<int>{1});

    List().SetSelected(0, true);
    List().SetSelected(2, true);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(List().Model().Paths(), QStringList({"/b.mp3"}));
}

TEST_F(PlaylistForm, DroppedFilesAreAddedWithoutPlaying) {
    WriteBytes(File("d.m3u"), "/in/list.mp3");
    ASSERT_TRUE(form_->LxDragDrop1->OnDrop);
    form_->LxDragDrop1->OnDrop(form_->LxDragDrop1, QPoint(5, 5),
                               {"/x.mp3", File("folder"), "/notes.txt", File("d.m3u")});
    EXPECT_EQ(List().Model().Paths(), QStringList({"/x.mp3", "/in/list.mp3"}));
    EXPECT_TRUE(host_.played.empty());
}

TEST_F(PlaylistForm, UrlMenuOpensTheUrlWindowOverThePlaylistWindowAndItAddsToThisList) {
    form_->move(400, 300);
    form_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    form_->addpopup->actions().at(2)->trigger(); // "&Url..."
    Turlform& url = *form_->urlform;
    ASSERT_TRUE(url.isVisible());
    EXPECT_LE((url.frameGeometry().center() - form_->frameGeometry().center()).manhattanLength(),
              24); // a title bar may come later
    EXPECT_FALSE(url.urlbox->AutoSave());

    url.urlbox->SetText(" udp://239.0.0.1:1234 ");
    QTest::keyClick(url.urlbox, Qt::Key_Return);
    EXPECT_EQ(List().Model().Paths(), QStringList({"udp://239.0.0.1:1234"}));
    EXPECT_EQ(List().DisplayText(0), "1. udp://239.0.0.1:1234");
}

TEST_F(PlaylistForm, ButtonsPopUpTheirMenusAtTheButtonOffsetFromTheWindow) {
    const auto captions = [](const QMenu* menu) {
        QStringList texts;
        for (const QAction* action : menu->actions()) texts.append(action->text());
        return texts;
    };
    EXPECT_EQ(captions(form_->addpopup), QStringList({"&Files...", "&Dir...", "&Url..."}));
    EXPECT_EQ(captions(form_->deletepopup), QStringList({"&All", "All &but selected", "&Dead files", "&Selected"}));
    EXPECT_EQ(captions(form_->selectpopup), QStringList({"&All", "&Invert selection", "&None"}));

    form_->show();
    QTest::mouseClick(form_->DeleteButton, Qt::LeftButton);
    ASSERT_TRUE(form_->deletepopup->isVisible());
    EXPECT_EQ(form_->deletepopup->pos(), form_->pos() + form_->DeleteButton->pos());
    form_->deletepopup->hide();

    // The menu's actions run the list's operations.
    List().AddItems({"/a.mp3", "/b.mp3"});
    form_->selectpopup->actions().at(0)->trigger(); // "&All"
    EXPECT_EQ(List().SelCount(), 2);
    form_->deletepopup->actions().at(3)->trigger(); // "&Selected"
    EXPECT_EQ(List().Count(), 0);
}
