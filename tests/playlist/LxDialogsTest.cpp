#include "PlaylistTestFiles.h"

#include "playlist/LxDialogs.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next modal file dialog from inside its own event loop: `answer`
// looks at it and makes the choice, then the dialog closes with `result`.
// Polls until the dialog shows, and gives up after a few hundred polls so that
// a missing dialog fails instead of hanging.
void AnswerNextFileDialog(std::function<void(QFileDialog&)> answer, int result) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, answer, result] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr || ++*tries > 300) {
            poll->stop();
            poll->deleteLater();
        }
        if (dialog == nullptr) {
            if (*tries > 300) ADD_FAILURE() << "no file dialog showed";
            return;
        }
        answer(*dialog);
        static_cast<QDialog*>(dialog)->done(result);
    });
    poll->start(10);
}

} // namespace

TEST(PlaylistLxDialogs, FilterPairsBecomeQtNameFilters) {
    EXPECT_EQ(NameFiltersFromPairs("MP3 + M3U Files (*.mpx;*.m3u)|*.mp*;*.m3u|ALL Files (*.*)|*.*"),
              QStringList({"MP3 + M3U Files (*.mpx;*.m3u) (*.mp* *.m3u)", "ALL Files (*.*) (*.*)"}));
    EXPECT_EQ(NameFiltersFromPairs("Lonely description"), QStringList());
    EXPECT_EQ(NameFiltersFromPairs(""), QStringList());
}

TEST(PlaylistLxDialogs, SelectDirectoryReturnsTheChosenFolder) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir("music"));
    TLxSelectDirectory chooser;
    EXPECT_TRUE(chooser.ClassicDialog());
    chooser.SetStartDir(dir.path());

    AnswerNextFileDialog(
        [&](QFileDialog& dialog) {
            EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(QDir(dialog.directory()).absolutePath(), QDir(dir.path()).absolutePath());
            dialog.setDirectory(dir.filePath("music")); // nothing selected: the folder shown
        },
        QDialog::Accepted);
    ASSERT_TRUE(chooser.Execute());
    EXPECT_EQ(chooser.Directory(), dir.filePath("music"));

    AnswerNextFileDialog([](QFileDialog&) {}, QDialog::Rejected);
    EXPECT_FALSE(chooser.Execute());
    EXPECT_EQ(chooser.Directory(), dir.filePath("music"));
}
