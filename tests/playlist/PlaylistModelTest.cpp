#include "PlaylistTestFiles.h"

#include "playlist/DisplayText.h"
#include "playlist/PlaylistModel.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

TPlaylistModel ModelOf(const QStringList& paths, bool numbers = true) {
    TPlaylistModel model;
    model.SetShowNumbers(numbers);
    model.AddItems(paths);
    return model;
}

void Select(TPlaylistModel& model, std::initializer_list<int> lines) {
    for (int line : lines) model.SetSelected(line, true);
}

std::vector<int> SelectedLines(const TPlaylistModel& model) {
    std::vector<int> lines;
    for (int i = 0; i < model.Count(); ++i)
        if (model.Selected(i)) lines.push_back(i);
    return lines;
}

} // namespace

TEST(PlaylistDisplayText, TitleOrElseFileNameAfterLastSlashAndUrlsWhole) {
    EXPECT_EQ(MakeDisplayText("/music/a/song.mp3", "", 2, true), "3. song.mp3");
    EXPECT_EQ(MakeDisplayText("/music/a/song.mp3", "", 2, false), "song.mp3");
    EXPECT_EQ(MakeDisplayText("song.mp3", "", 0, true), "1. song.mp3");
    EXPECT_EQ(MakeDisplayText("http://radio.example/live/stream.mp3", "", 0, false),
              "http://radio.example/live/stream.mp3");
    EXPECT_EQ(MakeDisplayText("udp://239.0.0.1:1234", "", 9, true), "10. udp://239.0.0.1:1234");
    EXPECT_EQ(MakeDisplayText("http://radio.example/live", "Radio Ä / Jazz", 1, true), "2. Radio Ä / Jazz");
    EXPECT_EQ(MakeDisplayText("/music/a/song.mp3", "Artist - Song", 0, false), "Artist - Song");
    // A backslash is an ordinary character of a Linux file name.
    EXPECT_EQ(MakeDisplayText("/music/odd\\name.mp3", "", 0, false), "odd\\name.mp3");
    EXPECT_FALSE(IsUrl("/music/x://y.mp3"));
    EXPECT_FALSE(IsUrl("://x"));
}

TEST(PlaylistModel, DeletingWalksSelectionsOfAdjacentLinesRenumberingAndReportingEachLine) {
    TPlaylistModel model = ModelOf({"/m/0", "/m/1", "/m/2", "/m/3", "/m/4", "/m/5"});
    EXPECT_EQ(model.Text(5), "6. 5");
    QStringList log;
    model.OnDeleting = [&](int i) {
        log.append(QString("deleting %1 %2 of %3").arg(i).arg(model.Path(i)).arg(model.Count()));
    };
    model.OnDeleted = [&](int i) { log.append(QString("deleted %1 of %2").arg(i).arg(model.Count())); };
    Select(model, {1, 2, 3, 5});
    model.DeleteSelection();
    EXPECT_EQ(model.Paths(), QStringList({"/m/0", "/m/4"}));
    EXPECT_EQ(TextsOf(model), QStringList({"1. 0", "2. 4"}));
    EXPECT_EQ(log, QStringList({"deleting 1 /m/1 of 6", "deleted 1 of 5", "deleting 1 /m/2 of 5", "deleted 1 of 4",
                                "deleting 1 /m/3 of 4", "deleted 1 of 3", "deleting 2 /m/5 of 3", "deleted 2 of 2"}));
    model.SetShowNumbers(false);
    EXPECT_EQ(TextsOf(model), QStringList({"0", "4"}));

    model = ModelOf({"/m/0", "/m/1", "/m/2", "/m/3"});
    Select(model, {1, 2});
    model.DeleteAllButSelection();
    EXPECT_EQ(model.Paths(), QStringList({"/m/1", "/m/2"}));
    EXPECT_EQ(SelectedLines(model), (std::vector<int>{0, 1}));

    model.DeleteAll();
    EXPECT_EQ(model.Count(), 0);
    EXPECT_EQ(model.CareIndex(), -1);
}

TEST(PlaylistModel, DeadFilesAreRemovedButAddressesStay) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("here.mp3"), "x");
    TPlaylistModel model = ModelOf({dir.filePath("gone.mp3"), dir.filePath("here.mp3"), "http://host/live.mp3",
                                    dir.path(), "", "udp://239.0.0.1:1234", "/gone/x://y.mp3"});
    model.DeleteDeadFiles();
    EXPECT_EQ(model.Paths(), QStringList({dir.filePath("here.mp3"), "http://host/live.mp3", "udp://239.0.0.1:1234"}));
    EXPECT_EQ(model.Text(1), "2. http://host/live.mp3");
}

TEST(PlaylistModel, TitlesTravelWithTheirLinesAndShowInsteadOfTheName) {
    TPlaylistModel model;
    model.SetShowNumbers(true);
    model.AddEntries({{"http://host/b", "Beta FM"}, {"/m/a.mp3", ""}, {"http://host/c", "Gamma"}});
    EXPECT_EQ(TextsOf(model), QStringList({"1. Beta FM", "2. a.mp3", "3. Gamma"}));
    model.SortByPath();
    EXPECT_EQ(model.Paths(), QStringList({"/m/a.mp3", "http://host/b", "http://host/c"}));
    EXPECT_EQ(model.Title(1), "Beta FM");
    EXPECT_EQ(TextsOf(model), QStringList({"1. a.mp3", "2. Beta FM", "3. Gamma"}));
    model.DeleteItem(0);
    EXPECT_EQ(model.Title(0), "Beta FM");
    EXPECT_THROW(model.Title(2), std::out_of_range);
}

TEST(PlaylistModel, CaretStaysOnItsLineAcrossDeletes) {
    TPlaylistModel model = ModelOf({"/0", "/1", "/2", "/3"});
    model.SetCareIndex(2);
    model.DeleteItem(0);
    EXPECT_EQ(model.CareIndex(), 1); // still "/2"
    model.DeleteItem(1);
    EXPECT_EQ(model.CareIndex(), 1); // the next line slid under it
    model.DeleteItem(1);
    EXPECT_EQ(model.CareIndex(), 0); // the last line went: the new last
    model.SetCareIndex(7);
    EXPECT_EQ(model.CareIndex(), -1);
}

TEST(PlaylistModel, LinesOutsideTheListAreRefused) {
    TPlaylistModel model = ModelOf({"/0"});
    EXPECT_THROW(model.Path(1), std::out_of_range);
    EXPECT_THROW(model.Path(-1), std::out_of_range);
    EXPECT_THROW(model.DeleteItem(1), std::out_of_range);
    EXPECT_THROW(model.SetSelected(3, true), std::out_of_range);
    EXPECT_EQ(model.Count(), 1);
}

TEST(PlaylistModel, PathSortIsOrdinalAndCaseSensitiveAndCarriesSelections) {
    TPlaylistModel model = ModelOf({"/music/b.mp3", "/Music/z.mp3", "/music/a.mp3", "/Music/a.mp3", "/music"});
    model.SortByPath();
    EXPECT_EQ(model.Paths(), QStringList({"/Music/a.mp3", "/Music/z.mp3", "/music", "/music/a.mp3", "/music/b.mp3"}));
    EXPECT_EQ(model.Text(0), "1. a.mp3");

    model.SortByPathInverted();
    EXPECT_EQ(model.Paths(), QStringList({"/music/b.mp3", "/music/a.mp3", "/music", "/Music/z.mp3", "/Music/a.mp3"}));

    // Selections move with their lines.
    model = ModelOf({"/c", "/a", "/b"});
    Select(model, {0});
    model.SortByPath();
    EXPECT_EQ(model.Paths(), QStringList({"/a", "/b", "/c"}));
    EXPECT_EQ(SelectedLines(model), std::vector<int>{2});
}

TEST(PlaylistModel, SongnameSortOrdersNumbersAsText) {
    QStringList paths;
    for (int i = 0; i < 11; ++i) paths.append(QString("/m/%1.mp3").arg(QChar(u'k' - i))); // k.mp3 ... a.mp3
    TPlaylistModel model = ModelOf(paths);
    model.SortBySongname();
    // "1. k", "10. b", "11. a", "2. j", ... : line 10 sorts between lines 1 and 2.
    EXPECT_EQ(model.Path(0), "/m/k.mp3");
    EXPECT_EQ(model.Path(1), "/m/b.mp3");
    EXPECT_EQ(model.Path(2), "/m/a.mp3");
    EXPECT_EQ(model.Path(3), "/m/j.mp3");
    EXPECT_EQ(model.Text(1), "2. b.mp3");

    TPlaylistModel plain = ModelOf({"/x/b.mp3", "/a/c.mp3", "/c/a.mp3"}, false);
    plain.SortBySongname();
    EXPECT_EQ(plain.Paths(), QStringList({"/c/a.mp3", "/x/b.mp3", "/a/c.mp3"}));
    plain.SortBySongnameInverted();
    EXPECT_EQ(plain.Paths(), QStringList({"/a/c.mp3", "/x/b.mp3", "/c/a.mp3"}));
}

TEST(PlaylistModel, RandomOrderKeepsTheSameLinesAndReverseSwapsAroundTheMiddle) {
    QStringList paths;
    for (int i = 0; i < 50; ++i) paths.append(QString("/m/%1.mp3").arg(i));
    TPlaylistModel model = ModelOf(paths);
    model.RandomOrder();
    QStringList shuffled = model.Paths();
    std::sort(shuffled.begin(), shuffled.end());
    QStringList expected = paths;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shuffled, expected);
    for (int i = 0; i < model.Count(); ++i) EXPECT_TRUE(model.Text(i).startsWith(QString::number(i + 1) + ". "));

    TPlaylistModel empty;
    empty.RandomOrder();
    EXPECT_EQ(empty.Count(), 0);
    TPlaylistModel one = ModelOf({"/only"});
    one.RandomOrder();
    EXPECT_EQ(one.Paths(), QStringList({"/only"}));

    model = ModelOf({"/0", "/1", "/2", "/3", "/4"});
    model.ReverseOrder();
    EXPECT_EQ(model.Paths(), QStringList({"/4", "/3", "/2", "/1", "/0"}));
    EXPECT_EQ(model.Text(0), "1. 4");
    model = ModelOf({"/0", "/1"});
    model.ReverseOrder();
    EXPECT_EQ(model.Paths(), QStringList({"/1", "/0"}));
}

TEST(PlaylistModel, SelectedBlocksMoveTogether) {
    TPlaylistModel model = ModelOf({"/a", "/b", "/c", "/d", "/e"});
    Select(model, {1, 2, 4});
    model.MoveSelectedUp();
    EXPECT_EQ(model.Paths(), QStringList({"/b", "/c", "/a", "/e", "/d"}));
    EXPECT_EQ(SelectedLines(model), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(model.Text(0), "1. b");

    // Line 0 is selected: nothing moves, not even the other selected lines.
    model.MoveSelectedUp();
    EXPECT_EQ(model.Paths(), QStringList({"/b", "/c", "/a", "/e", "/d"}));

    model.MoveSelectedDown();
    EXPECT_EQ(model.Paths(), QStringList({"/a", "/b", "/c", "/d", "/e"}));
    EXPECT_EQ(SelectedLines(model), (std::vector<int>{1, 2, 4}));

    // The last line is selected: nothing moves down.
    model.MoveSelectedDown();
    EXPECT_EQ(model.Paths(), QStringList({"/a", "/b", "/c", "/d", "/e"}));

    model.UnselectAll();
    model.MoveSelectedUp();
    model.MoveSelectedDown();
    EXPECT_EQ(model.Paths(), QStringList({"/a", "/b", "/c", "/d", "/e"}));
}

TEST(PlaylistModel, NowPlayingTitleShowsInPlaceOfTheNameAndStaysOutOfSavedLists) {
    TPlaylistModel model = ModelOf({"/music/a.mp3", "http://radio.example/live"});
    int changes = 0;
    model.OnLinesChanged = [&changes] { ++changes; };
    model.SetNowPlaying(1, "Artist - AC/DC");
    EXPECT_EQ(model.Text(1), "2. Artist - AC/DC");
    EXPECT_EQ(changes, 1);
    model.SetShowNumbers(false);
    EXPECT_EQ(model.Text(1), "Artist - AC/DC");
    model.ReverseOrder();
    EXPECT_EQ(model.Text(0), "Artist - AC/DC");
    EXPECT_EQ(model.Path(0), "http://radio.example/live");
    QTemporaryDir folder;
    const QString list = folder.filePath("list.m3u");
    model.SavePlaylist(list);
    TPlaylistModel loaded;
    loaded.LoadPlaylist(list);
    EXPECT_EQ(loaded.Text(0), "http://radio.example/live");
    model.SetNowPlaying(0, "");
    EXPECT_EQ(model.Text(0), "http://radio.example/live");
    EXPECT_THROW(model.SetNowPlaying(2, "x"), std::out_of_range);
}
