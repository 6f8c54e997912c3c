#include "TagFiles.h"
#include "tags/Id3v2View.h"
#include "tags/LxVisualId3v1.h"
#include "tags/id3form.h"
#include "tests/desktop/QtPrinters.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(LxVisualId3v1, StartsEmptyReadOnlyWithTheGenresInNumberOrder) {
    TLxVisualId3v1 editor;
    EXPECT_EQ(editor.width(), 229);
    // Tall enough for every row, the genre list included.
    EXPECT_GE(editor.height(), editor.GenreList()->geometry().bottom());
    EXPECT_GE(editor.sizeHint().height(), editor.GenreList()->geometry().bottom());
    EXPECT_TRUE(editor.Readonly());
    EXPECT_FALSE(editor.ArtistEdit()->isEnabled());
    EXPECT_FALSE(editor.GenreList()->isEnabled());
    EXPECT_EQ(editor.GenreList()->count(), 126);
    EXPECT_EQ(editor.GenreList()->itemText(17), "Rock");
    EXPECT_EQ(editor.GenreList()->currentIndex(), -1);

    editor.SetReadonly(false);
    EXPECT_TRUE(editor.CommentEdit()->isEnabled());
    EXPECT_TRUE(editor.GenreList()->isEnabled());
}

TEST(LxVisualId3v1, ShowsTheFileTagUpToTheFirstZeroByte) {
    TagFiles files;
    const QString zeros = files.Write("zeros.mp3", AudioBytes(200) + Id3v1Block("abc", "Art", "Alb", "1999", "c", 17));
    const QString blanks =
        files.Write("blanks.mp3", AudioBytes(200) + Id3v1Block("abc" + QByteArray(27, ' '), "", "", "", "", 200));
    const QString plain = files.Write("plain.mp3", AudioBytes(200));

    TLxVisualId3v1 editor;
    int changes = 0;
    editor.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &editor);
        ++changes;
    };
    editor.SetFilename(zeros);
    EXPECT_GE(changes, 6);
    EXPECT_EQ(editor.Filename(), zeros);
    EXPECT_EQ(editor.SongnameEdit()->text(), "abc");
    EXPECT_EQ(editor.ArtistEdit()->text(), "Art");
    EXPECT_EQ(editor.YearEdit()->text(), "1999");
    EXPECT_EQ(editor.Id3Tag().Songname().size(), 30);
    EXPECT_EQ(editor.GenreList()->currentText(), "Rock");

    editor.SetFilename(blanks);
    EXPECT_EQ(editor.SongnameEdit()->text(), "abc" + QString(27, QChar(' ')));
    EXPECT_EQ(editor.GenreList()->currentIndex(), -1);

    editor.SetFilename(plain);
    EXPECT_EQ(editor.SongnameEdit()->text(), "");
    EXPECT_EQ(editor.CommentEdit()->text(), "");
    EXPECT_EQ(editor.GenreList()->currentIndex(), -1);

    EXPECT_THROW(editor.SetFilename(files.Write("short.mp3", "x")), std::runtime_error);
}

TEST(LxVisualId3v1, LayoutPlacesFieldsBesideTheWidestLabel) {
    TLxVisualId3v1 editor;
    editor.show();
    QFont big = editor.LabelFont();
    big.setPointSize(20);
    editor.SetLabelFont(big);
    int widest = 0;
    for (QLabel* label : editor.findChildren<QLabel*>()) widest = std::max(widest, label->width());
    const int left = 5 + widest + 10;
    EXPECT_EQ(editor.ArtistEdit()->x(), left);
    EXPECT_EQ(editor.GenreList()->x(), left);
    EXPECT_GT(editor.SongnameEdit()->y(), editor.ArtistEdit()->y() + editor.ArtistEdit()->height());
    editor.resize(400, 160);
    EXPECT_EQ(editor.CommentEdit()->width(), 400 - left - 4);
    editor.resize(10, 160);
    EXPECT_EQ(editor.CommentEdit()->width(), 40);
}

TEST(Tid3form, ShowsBothPagesForAFile) {
    TagFiles files;
    const QString path = files.Write("both.mp3", Id3v2TagBytes(4, 0, Id3v2Frame(4, "TIT2", Utf8Text("Version two"))) +
                                                     AudioBytes(500) + Id3v1Block("Version one", "", "", "", "", 17));
    Tid3form form;
    ASSERT_EQ(form.PageControl->count(), 2);
    EXPECT_EQ(form.Id3v2Page->StatusText(), "No ID3v2 tag");

    form.show();
    form.LxVisualId3v11->SetFilename(path);
    EXPECT_EQ(form.LxVisualId3v11->SongnameEdit()->text(), "Version one");
    EXPECT_EQ(form.Id3v2Page->StatusText(), "ID3v2.4.0");
    EXPECT_EQ(form.Id3v2Page->Value("Title"), "Version two");

    form.LxVisualId3v11->SetFilename(files.Write("v1only.mp3", AudioBytes(200)));
    EXPECT_EQ(form.Id3v2Page->StatusText(), "No ID3v2 tag");
    EXPECT_EQ(form.Id3v2Page->Value("Title"), "");
}

TEST(Tid3form, ShowsTheTagsOfTheDemoTrack) {
    ASSERT_TRUE(QFile::exists(TAERIN_DEMO_TRACK));
    Tid3form form;
    form.LxVisualId3v11->SetFilename(TAERIN_DEMO_TRACK);
    EXPECT_EQ(form.LxVisualId3v11->SongnameEdit()->text(), "Taerin Demo");
    EXPECT_EQ(form.LxVisualId3v11->ArtistEdit()->text(), "The Taerin Team");
    EXPECT_EQ(form.LxVisualId3v11->GenreList()->currentText(), "Ambient");
    EXPECT_EQ(form.Id3v2Page->StatusText(), "ID3v2.3.0");
    EXPECT_EQ(form.Id3v2Page->Value("Title"), "Taerin Demo");
    EXPECT_EQ(form.Id3v2Page->Value("Year"), "2026");
    EXPECT_EQ(form.Id3v2Page->Value("Genre"), "Ambient");
    EXPECT_EQ(form.Id3v2Page->Value("Comment"), "synthesized");
}
