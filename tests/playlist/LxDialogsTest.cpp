#include "PlaylistTestFiles.h"

#include "playlist/LxDialogs.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Answers the next modal dialog of type TDialog from inside its own event
// loop. Polls until the dialog shows, and gives up after a few hundred polls
// so that a missing dialog fails instead of hanging.
template <class TDialog> void AnswerNextModal(std::function<void(TDialog&)> answer) {
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, answer] {
        auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr || ++*tries > 300) {
            poll->stop();
            poll->deleteLater();
        }
        if (dialog == nullptr) {
            if (*tries > 300) ADD_FAILURE() << "no " << TDialog::staticMetaObject.className() << " showed";
            return;
        }
        answer(*dialog);
    });
    poll->start(10);
}

// `answer` looks at the next file dialog and makes the choice, then the
// dialog closes with `result`.
void AnswerNextFileDialog(std::function<void(QFileDialog&)> answer, int result) {
    AnswerNextModal<QFileDialog>([answer, result](QFileDialog& dialog) {
        answer(dialog);
        static_cast<QDialog&>(dialog).done(result);
    });
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

// The save dialog asks before it replaces an existing file (Qt's own
// question, which the dialog must not turn off).
TEST(PlaylistLxDialogs, SavingOverAnExistingFileAsksFirst) {
    TLxFileDialog save(TLxFileDialog::TKind::Save);
    save.SetFilter("M3U Lists (*.m3u)|*.m3u");
    save.SetDefaultExt("M3U");
    bool asks = false;
    AnswerNextFileDialog(
        [&](QFileDialog& dialog) {
            asks =
                dialog.acceptMode() == QFileDialog::AcceptSave && !dialog.testOption(QFileDialog::DontConfirmOverwrite);
        },
        QDialog::Rejected);
    EXPECT_FALSE(save.Execute());
    EXPECT_TRUE(asks);
}
