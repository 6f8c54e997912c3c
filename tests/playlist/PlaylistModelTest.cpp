#include "PlaylistTestFiles.h"

#include "playlist/DisplayText.h"
#include "playlist/NaturalOrder.h"
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

TEST(PlaylistModel, SongnameSortIsNaturalAndIgnoresTheLineNumbers) {
    QStringList paths;
    for (int i = 0; i < 11; ++i) paths.append(QString("/m/%1.mp3").arg(QChar(u'k' - i))); // k.mp3 ... a.mp3
    TPlaylistModel model = ModelOf(paths);
    model.SortBySongname();
    EXPECT_EQ(model.Path(0), "/m/a.mp3");
    EXPECT_EQ(model.Path(10), "/m/k.mp3");
    EXPECT_EQ(model.Text(1), "2. b.mp3");

    TPlaylistModel tracks = ModelOf(
        {"/x/Track 10.mp3", "/y/track 9.mp3", "/z/Track 010b.mp3", "/w/b.mp3", "/v/track 1.mp3", "/u/Track 0100.mp3"});
    tracks.SortBySongname();
    EXPECT_EQ(tracks.Paths(), QStringList({"/w/b.mp3", "/v/track 1.mp3", "/y/track 9.mp3", "/x/Track 10.mp3",
                                           "/z/Track 010b.mp3", "/u/Track 0100.mp3"}));
    tracks.SortBySongnameInverted();
    EXPECT_EQ(tracks.Path(0), "/u/Track 0100.mp3");
    EXPECT_EQ(tracks.Path(5), "/w/b.mp3");
}

TEST(PlaylistModel, NaturalKeysOrderNumbersByValueAndLettersWithoutCase) {
    const auto before = [](const char* a, const char* b) { return NaturalSortKey(a) < NaturalSortKey(b); };
    EXPECT_TRUE(before("2", "10"));
    EXPECT_TRUE(before("a2b", "a10"));
    EXPECT_TRUE(before("Apple", "banana"));
    EXPECT_TRUE(before("x 9", "x 00010"));
    EXPECT_TRUE(before("1 z", "a")); // digits before letters, as in byte order
    EXPECT_EQ(NaturalSortKey("007"), NaturalSortKey("7"));
    EXPECT_EQ(NaturalSortKey("0"), NaturalSortKey("000"));
    EXPECT_TRUE(before("99999999999999999999", "100000000000000000000")); // beyond any integer type
    EXPECT_EQ(NaturalSortKey(""), QByteArray());
}

// Two lines of a pair of positions the shuffle leaves where they were; an
// order chosen uniformly keeps one line in place on average, whatever the
// length, where swapping random pairs kept more than a third.
TEST(PlaylistModel, RandomOrderIsUniform) {
    constexpr int lines = 20, rounds = 2000;
    QStringList paths;
    for (int i = 0; i < lines; ++i) paths.append(QString("/m/%1").arg(i));
    std::vector<int> firstLine(lines, 0);
    int unmoved = 0;
    for (int round = 0; round < rounds; ++round) {
        TPlaylistModel model = ModelOf(paths, false);
        model.RandomOrder();
        for (int i = 0; i < lines; ++i) unmoved += model.Path(i) == paths[i] ? 1 : 0;
        ++firstLine[paths.indexOf(model.Path(0))];
    }
    const double unmovedPerRound = double(unmoved) / rounds;
    EXPECT_GT(unmovedPerRound, 0.8);
    EXPECT_LT(unmovedPerRound, 1.2);
    for (int count : firstLine) { // 100 expected for each line
        EXPECT_GT(count, 50);
        EXPECT_LT(count, 160);
    }
}

TEST(PlaylistModel, ThePlayingLineIsFollowedThroughSortsMovesAndDeletes) {
    TPlaylistModel model = ModelOf({"/d", "/b", "/a", "/c"});
    EXPECT_EQ(model.PlayingIndex(), -1);
    model.SetPlayingIndex(1); // "/b"
    model.SetCareIndex(1);
    model.SortByPath();
    EXPECT_EQ(model.Path(model.PlayingIndex()), "/b");
    EXPECT_EQ(model.Path(model.CareIndex()), "/b");
    model.SortByPathInverted();
    EXPECT_EQ(model.Path(model.PlayingIndex()), "/b");
    model.ReverseOrder();
    EXPECT_EQ(model.Path(model.PlayingIndex()), "/b");
    model.RandomOrder();
    EXPECT_EQ(model.Path(model.PlayingIndex()), "/b");

    model = ModelOf({"/a", "/b", "/c", "/d"});
    model.SetPlayingIndex(2);
    Select(model, {2});
    model.MoveSelectedUp();
    EXPECT_EQ(model.PlayingIndex(), 1);
    model.UnselectAll();
    Select(model, {0});
    model.DeleteSelection(); // a line above it goes
    EXPECT_EQ(model.Path(model.PlayingIndex()), "/c");
    EXPECT_EQ(model.PlayingPlace().Removed, false);

    model.DeleteItem(0); // the playing line itself: "/b" slides into its place
    EXPECT_EQ(model.PlayingIndex(), -1);
    EXPECT_EQ(model.PlayingPlace().Index, 0);
    EXPECT_TRUE(model.PlayingPlace().Removed);
    EXPECT_EQ(model.Path(0), "/b");

    model.DeleteAll();
    EXPECT_EQ(model.PlayingPlace().Index, -1);
    model.SetPlayingIndex(3); // no such line
    EXPECT_EQ(model.PlayingIndex(), -1);
}

TEST(PlaylistModel, ReplacingReadsThePlaylistFirstAndKeepsTheLinesWhenThatFails) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString list = dir.filePath("list.m3u");
    WriteBytes(list, "/new/1.mp3\r\n/new/2.mp3\r\n");
    TPlaylistModel model = ModelOf({"/old/a.mp3", "/old/b.mp3"});
    model.SetPlayingIndex(1);
    EXPECT_THROW(model.ReplaceWithPlaylist(dir.filePath("missing.m3u")), std::runtime_error);
    EXPECT_EQ(model.Paths(), QStringList({"/old/a.mp3", "/old/b.mp3"}));
    EXPECT_EQ(model.PlayingIndex(), 1);

    model.ReplaceWithPlaylist(list);
    EXPECT_EQ(model.Paths(), QStringList({"/new/1.mp3", "/new/2.mp3"}));
    EXPECT_EQ(model.PlayingPlace().Index, -1);
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
