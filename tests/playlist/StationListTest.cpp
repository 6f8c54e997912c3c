#include "PlaylistTestFiles.h"

#include "playlist/LxControls.h"
#include "playlist/StationListFetcher.h"
#include "playlist/urlform.h"
#include "skin/controls/LxEdit.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The station server (station_server.py) on 127.0.0.1, serving a folder of
// lists the suite writes, for the whole suite.
class StationServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder_->isValid());
        const auto write = [](const char* name, const QByteArray& bytes) {
            WriteBytes(folder_->filePath(name), bytes);
        };
        write("jazz.pls", "[playlist]\r\nNumberOfEntries=2\r\nFile1=one.mp3\r\nTitle1=Jazz One\r\n"
                          "File2=http://elsewhere.example:8000/two\r\nTitle2=Jazz \xc3\x84 Two\r\n");
        write("news.m3u8", "#EXTM3U\n#EXTINF:-1,Nachrichten \xc3\xbc\n/live/news\n../up.mp3\n");
        write("station", "[playlist]\nFile1=http://h.example/s\nTitle1=Typed PLS\n");
        write("hls", "#EXTM3U\n#EXTINF:10,Segment\nseg1.ts\n");
        write("latin", "#EXTINF:-1,Caf\xe9 FM\nhttp://h.example/cafe\n");
        write("song.mp3", QByteArray(4096, '\xff'));
        write("page.pls", "<html><body>Sign in first</body></html>");
        write("empty.pls", "[playlist]\nNumberOfEntries=0\n");
        write("binary.m3u", QByteArray("/a.mp3\n\x00\x01", 9));
        write("huge.m3u", QByteArray(MaxStationListBytes + 1, 'a'));

        server_ = std::make_unique<QProcess>();
        port_ = StartServer(*server_);
    }
    static void TearDownTestSuite() {
        StopServer(*server_);
        server_.reset();
        folder_.reset();
    }

    // Starts the server on the suite's folder; `tls` adds its certificate
    // and key files. Returns its port, 0 when it did not start.
    static int StartServer(QProcess& server, const QStringList& tls = {}) {
        server.start(
            "/usr/bin/python3",
            QStringList({QStringLiteral(TAERIN_SOURCE_DIR "/tests/playlist/station_server.py"), folder_->path()}) +
                tls);
        if (!server.waitForReadyRead(10000)) {
            ADD_FAILURE() << "no station server: " << server.readAllStandardError().toStdString();
            return 0;
        }
        return server.readLine().trimmed().toInt();
    }
    static void StopServer(QProcess& server) {
        server.kill();
        server.waitForFinished();
    }

    StationServer() { NewFetcher(); }

    static QString Address(const QString& path) { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

    // Waits for the fetch to end; the result is in fetched_ or failed_.
    bool FetchEnds() {
        for (int i = 0; i < 200 && fetched_->isEmpty() && failed_->isEmpty(); ++i) fetched_->wait(50);
        return fetched_->size() + failed_->size() == 1;
    }
    TPlaylistEntries Fetch(const QString& address) {
        fetched_->clear();
        failed_->clear();
        fetcher_->Fetch(address);
        if (!FetchEnds()) ADD_FAILURE() << "no single result for " << address.toStdString();
        if (!failed_->isEmpty()) ADD_FAILURE() << failed_->first().first().toString().toStdString();
        return fetched_->isEmpty() ? TPlaylistEntries() : fetched_->first().first().value<TPlaylistEntries>();
    }
    QString FetchError(const QString& address) {
        fetched_->clear();
        failed_->clear();
        fetcher_->Fetch(address);
        if (!FetchEnds() || failed_->isEmpty()) {
            ADD_FAILURE() << "no failure for " << address.toStdString();
            return {};
        }
        return failed_->first().first().toString();
    }

    static inline std::unique_ptr<QTemporaryDir> folder_;
    static inline std::unique_ptr<QProcess> server_;
    static inline int port_ = 0;
    // A fetcher of its own, with nothing cached from earlier fetches.
    void NewFetcher() {
        fetched_.reset();
        failed_.reset();
        fetcher_ = std::make_unique<TStationListFetcher>();
        fetched_ = std::make_unique<QSignalSpy>(fetcher_.get(), &TStationListFetcher::Fetched);
        failed_ = std::make_unique<QSignalSpy>(fetcher_.get(), &TStationListFetcher::Failed);
    }

    std::unique_ptr<TStationListFetcher> fetcher_;
    std::unique_ptr<QSignalSpy> fetched_;
    std::unique_ptr<QSignalSpy> failed_;
};

} // namespace

TEST_F(StationServer, PlsAndM3u8ListsExpandIntoTheirEntriesWithTitles) {
    EXPECT_EQ(Fetch(Address("/lists/jazz.pls")),
              TPlaylistEntries({{Address("/lists/one.mp3"), "Jazz One"},
                                {"http://elsewhere.example:8000/two", QString::fromUtf8("Jazz Ä Two")}}));
    // Relative entries resolve against where the list came from after redirects.
    EXPECT_EQ(
        Fetch(Address("/redirect?to=/deep/lists/news.m3u8")),
        TPlaylistEntries({{Address("/live/news"), QString::fromUtf8("Nachrichten ü")}, {Address("/deep/up.mp3"), ""}}));
}

TEST_F(StationServer, PlaylistContentTypesMakeListsWhateverTheName) {
    EXPECT_EQ(Fetch(Address("/station?type=audio/x-scpls")), TPlaylistEntries({{"http://h.example/s", "Typed PLS"}}));
    EXPECT_EQ(Fetch(Address("/a/hls?type=application/vnd.apple.mpegurl")),
              TPlaylistEntries({{Address("/a/seg1.ts"), "Segment"}}));
    EXPECT_EQ(Fetch(Address("/latin?type=audio/x-mpegurl")),
              TPlaylistEntries({{"http://h.example/cafe", QString::fromUtf8("Café FM")}}));
}

TEST_F(StationServer, AudioAddressesStaySingleEntries) {
    // An endless stream is not downloaded: its headers decide.
    EXPECT_EQ(Fetch(Address("/stream")), TPlaylistEntries({{Address("/stream"), ""}}));
    EXPECT_EQ(Fetch(Address("/song.mp3?type=audio/mpeg")),
              TPlaylistEntries({{Address("/song.mp3?type=audio/mpeg"), ""}}));
    // A plain address whose server cannot be reached now may play later.
    const QString closed = QString("http://127.0.0.1:1/live");
    EXPECT_EQ(Fetch(closed), TPlaylistEntries({{closed, ""}}));
    EXPECT_FALSE(TStationListFetcher::IsFetched("udp://239.0.0.1:1234"));
    EXPECT_FALSE(TStationListFetcher::IsFetched("/music/list.pls"));
    EXPECT_TRUE(TStationListFetcher::IsFetched("HTTPS://radio.example/list.pls"));
}

TEST_F(StationServer, BrokenListsAndRefusalsAreClearErrors) {
    const QString missing = FetchError(Address("/missing.pls"));
    EXPECT_TRUE(missing.contains(Address("/missing.pls"))) << missing.toStdString();
    EXPECT_TRUE(FetchError(Address("/missing")).contains("Not Found"));
    EXPECT_TRUE(FetchError(Address("/page.pls?type=text/html")).contains("web page"));
    EXPECT_TRUE(FetchError(Address("/empty.pls")).contains("no entries"));
    EXPECT_TRUE(FetchError(Address("/binary.m3u")).contains("binary"));
    EXPECT_TRUE(FetchError(Address("/huge.m3u")).contains("MiB"));
    EXPECT_TRUE(FetchError(Address("/lists/closed.pls").replace(QString::number(port_), "1")).contains("closed.pls"));
    EXPECT_TRUE(FetchError("http:///nohost.pls").contains("not a valid address"));

    fetcher_->SetTimeout(std::chrono::milliseconds(300));
    const QString silent = FetchError(Address("/silent.pls"));
    EXPECT_TRUE(silent.contains("did not answer")) << silent.toStdString();
}

TEST_F(StationServer, HttpsListsComeFromVerifiedServersOnly) {
    // A certificate authority of the test's own and a certificate for 127.0.0.1.
    QTemporaryDir tls;
    ASSERT_TRUE(tls.isValid());
    const auto openssl = [&tls](const QStringList& arguments) {
        QProcess run;
        run.setWorkingDirectory(tls.path());
        run.start("openssl", arguments);
        ASSERT_TRUE(run.waitForFinished(30000) && run.exitCode() == 0) << run.readAllStandardError().toStdString();
    };
    const QStringList ecKey = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    openssl(QStringList({"req", "-x509"}) + ecKey +
            QStringList({"-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj", "/CN=Taerin Test CA"}));
    openssl(QStringList({"req"}) + ecKey +
            QStringList({"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1"}));
    WriteBytes(tls.filePath("names"), "subjectAltName=IP:127.0.0.1\n");
    openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial", "-out",
             "server.pem", "-days", "2", "-extfile", "names"});
    QProcess server;
    const int port = StartServer(server, {tls.filePath("server.pem"), tls.filePath("server.key")});
    ASSERT_GT(port, 0);
    const QString list = QString("https://127.0.0.1:%1/lists/jazz.pls").arg(port);

    const QString untrusted = FetchError(list);
    EXPECT_TRUE(untrusted.contains("issuer certificate")) << untrusted.toStdString();

    const QByteArray savedCertFile = qgetenv("SSL_CERT_FILE");
    qputenv("SSL_CERT_FILE", tls.filePath("ca.pem").toUtf8());
    NewFetcher();
    EXPECT_EQ(Fetch(list).value(0),
              (TPlaylistEntry{QString("https://127.0.0.1:%1/lists/one.mp3").arg(port), "Jazz One"}));
    // The certificate names 127.0.0.1, not localhost.
    NewFetcher();
    const QString wrongHost = FetchError(QString("https://localhost:%1/lists/jazz.pls").arg(port));
    EXPECT_TRUE(wrongHost.contains("host name")) << wrongHost.toStdString();
    qputenv("SSL_CERT_FILE", savedCertFile);
    StopServer(server);
}

TEST_F(StationServer, CancelledFetchesReportNothing) {
    fetcher_->Fetch(Address("/silent.pls"));
    EXPECT_TRUE(fetcher_->Busy());
    fetcher_->Cancel();
    EXPECT_FALSE(fetcher_->Busy());
    // A new fetch replaces one under way: only the new one reports.
    fetcher_->Fetch(Address("/silent.pls"));
    EXPECT_EQ(Fetch(Address("/lists/jazz.pls")).size(), 2);
    QTest::qWait(200);
    EXPECT_EQ(fetched_->size() + failed_->size(), 1);
}

namespace {

class UrlWindow : public StationServer {
protected:
    void SetUp() override {
        player_.setGeometry(300, 200, 290, 291);
        player_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&player_));
    }

    void Open() {
        url_.ShowOver(&player_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&url_));
    }
    void Type(const QString& text) {
        url_.urlbox->clear();
        QTest::keyClicks(url_.urlbox, text);
    }
    bool Closes() {
        for (int i = 0; i < 200 && url_.isVisible(); ++i) QTest::qWait(50);
        return !url_.isVisible();
    }

    QWidget player_;
    TLxPlaylist playlist_;
    Turlform url_{playlist_};
};

} // namespace

TEST_F(UrlWindow, OpensOverThePlayerWithTheAddressFocusedAndEnterAccepts) {
    url_.urlbox->SetText("udp://old");
    Open();
    EXPECT_LE((url_.frameGeometry().center() - player_.frameGeometry().center()).manhattanLength(),
              24); // a title bar may come later
    EXPECT_TRUE(url_.urlbox->hasFocus());
    EXPECT_EQ(url_.urlbox->selectedText(), "udp://old");

    Type("udp://239.0.0.1:1234");
    QTest::keyClick(url_.urlbox, Qt::Key_Return);
    EXPECT_FALSE(url_.isVisible());
    EXPECT_EQ(playlist_.Model().Paths(), QStringList({"udp://239.0.0.1:1234"}));

    // An empty box adds nothing and stays.
    Open();
    url_.urlbox->clear();
    url_.OkButton->click();
    EXPECT_TRUE(url_.isVisible());
    EXPECT_EQ(playlist_.Count(), 1);
}

TEST_F(UrlWindow, StationListsAddTheirEntriesAndFailuresStayInTheWindow) {
    Open();
    Type(Address("/lists/jazz.pls"));
    QTest::keyClick(url_.urlbox, Qt::Key_Enter);
    EXPECT_FALSE(url_.OkButton->isEnabled());
    ASSERT_TRUE(Closes());
    EXPECT_EQ(playlist_.Model().Paths(), QStringList({Address("/lists/one.mp3"), "http://elsewhere.example:8000/two"}));
    EXPECT_EQ(playlist_.DisplayText(0), "Jazz One");

    Open();
    Type(Address("/missing.pls"));
    QTest::keyClick(url_.urlbox, Qt::Key_Return);
    for (int i = 0; i < 200 && !url_.OkButton->isEnabled(); ++i) QTest::qWait(50);
    EXPECT_TRUE(url_.isVisible());
    EXPECT_TRUE(url_.StatusLabel->text().contains("missing.pls")) << url_.StatusLabel->text().toStdString();
    EXPECT_EQ(url_.urlbox->Text(), Address("/missing.pls"));
    EXPECT_EQ(playlist_.Count(), 2);
}

TEST_F(UrlWindow, EscapeAndCancelCloseWithoutAddingAndStopTheFetch) {
    Open();
    Type("udp://never");
    QTest::keyClick(url_.urlbox, Qt::Key_Escape);
    EXPECT_FALSE(url_.isVisible());

    Open();
    Type(Address("/silent.pls"));
    url_.OkButton->click();
    EXPECT_TRUE(url_.Fetcher().Busy());
    url_.CancelButton->click();
    EXPECT_FALSE(url_.isVisible());
    EXPECT_FALSE(url_.Fetcher().Busy());
    EXPECT_TRUE(url_.OkButton->isEnabled());
    EXPECT_EQ(playlist_.Count(), 0);
}
