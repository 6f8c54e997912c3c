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

// Answers the overwrite question of a save over an existing file; true when
// the save went ahead.
bool SaveOverAnExistingFile(bool replace) {
    QTemporaryDir dir;
    WriteBytes(dir.filePath("old.m3u"), "/kept.mp3\r\n");
    TLxFileDialog save(TLxFileDialog::TKind::Save);
    save.SetFilter("M3U Lists (*.m3u)|*.m3u");
    save.SetDefaultExt("M3U");
    QString question;
    AnswerNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(dir.path());
        dialog.selectFile("old"); // the default extension makes it old.m3u
        AnswerNextModal<QMessageBox>([&](QMessageBox& box) {
            question = box.text();
            box.button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        static_cast<QDialog&>(dialog).accept();  // virtual: the file dialog's own check
        if (dialog.isVisible()) dialog.reject(); // still asking for a name
    });
    const bool saved = save.Execute();
    EXPECT_TRUE(question.contains("old.m3u")) << question.toStdString();
    if (saved) EXPECT_EQ(save.FileName(), dir.filePath("old.m3u"));
    EXPECT_EQ(ReadBytes(dir.filePath("old.m3u")), "/kept.mp3\r\n");
    return saved;
}

TEST(PlaylistLxDialogs, SavingOverAnExistingFileAsksFirst) { EXPECT_FALSE(SaveOverAnExistingFile(false)); }

TEST(PlaylistLxDialogs, SavingOverAnExistingFileGoesAheadWhenTheUserSaysSo) {
    EXPECT_TRUE(SaveOverAnExistingFile(true));
}
