// The settings file: values survive a new settings object, broken values
// fall back to their defaults, and windows come back on a visible screen.
#include "player/settings/TaerinSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TaerinSettings, EveryValueSurvivesARestart) {
    QTemporaryDir folder;
    const QString file = folder.filePath("taerin/taerin.conf");
    TEqualizerState equalizer;
    equalizer.Enabled = true;
    equalizer.Linked = false;
    equalizer.PreampDb = -3;
    equalizer.Left[0] = 4;
    equalizer.Right[31] = -12;
    {
        TTaerinSettings settings(file);
        EXPECT_FALSE(settings.Volume().has_value());
        EXPECT_TRUE(settings.ElapsedTime());
        EXPECT_FALSE(settings.WindowPosition("main").has_value());
        settings.SetVolume(120);
        settings.SetShuffle(true);
        settings.SetRepeatMode(2);
        settings.SetElapsedTime(false);
        settings.SetPlaylistVisible(true);
        settings.SetWindowPosition("main", {-20, 35});
        settings.SetLastFolder("addFiles", "/music/new");
        settings.SetEqualizer(equalizer);
        settings.SetEqualizerPresets({{"Mine", 2, {1, 2, 3}}, {"Other", -1, {}}});
        ASSERT_TRUE(settings.Sync());
    }
    TTaerinSettings settings(file);
    EXPECT_EQ(settings.Volume(), 120);
    EXPECT_TRUE(settings.Shuffle());
    EXPECT_EQ(settings.RepeatMode(), 2);
    EXPECT_FALSE(settings.ElapsedTime());
    EXPECT_TRUE(settings.PlaylistVisible());
    EXPECT_EQ(settings.WindowPosition("main"), QPoint(-20, 35));
    EXPECT_EQ(settings.LastFolder("addFiles"), "/music/new");
    EXPECT_EQ(settings.LastFolder("skins"), "");
    EXPECT_EQ(settings.Equalizer(), equalizer);
    const std::vector<TEqualizerPreset> presets = settings.EqualizerPresets();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0], (TEqualizerPreset{"Mine", 2, {1, 2, 3}}));
    EXPECT_EQ(presets[1].Name, "Other");

    // Fewer presets later: the old ones do not linger.
    settings.SetEqualizerPresets({{"Only", 0, {}}});
    EXPECT_EQ(settings.EqualizerPresets().size(), 1u);
}

TEST(TaerinSettings, BrokenValuesGiveTheDefaults) {
    QTemporaryDir folder;
    const QString file = folder.filePath("taerin.conf");
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("[player]\nvolume=loud\nrepeat=7\n[windows]\nmain=here\n"
                 "[equalizer]\npreamp=99\nleft=1 2 3\nlinked=false\nright=1 x 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 "
                 "19 20 21 22 23 24 25 26 27 28 29 30 31 32\n"
                 "[equalizerPresets]\nsize=2\n1\\name=\n1\\bands=0\n2\\name=Ok\n2\\bands=" +
                 QByteArray("40 ").repeated(32) + "\n");
    broken.close();
    TTaerinSettings settings(file);
    EXPECT_FALSE(settings.Volume().has_value());
    EXPECT_EQ(settings.RepeatMode(), 0);
    EXPECT_FALSE(settings.WindowPosition("main").has_value());
    const TEqualizerState equalizer = settings.Equalizer();
    EXPECT_EQ(equalizer.PreampDb, kEqualizerRangeDb);
    EXPECT_EQ(equalizer.Left, TEqualizerBands{});
    EXPECT_EQ(equalizer.Right, TEqualizerBands{});
    const auto presets = settings.EqualizerPresets();
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].Bands[0], kEqualizerRangeDb);
}

TEST(TaerinSettings, WindowsComeBackOnAVisibleScreen) {
    const QList<QRect> screens{{0, 0, 1024, 768}, {1024, 0, 800, 600}};
    const QSize size(451, 244);
    EXPECT_EQ(KeptOnScreen({100, 100}, size, screens), QPoint(100, 100));
    EXPECT_EQ(KeptOnScreen({1500, 200}, size, screens), QPoint(1500, 200)); // on the second screen
    EXPECT_EQ(KeptOnScreen({-300, 50}, size, screens), QPoint(-300, 50));   // title strip partly visible
    // A screen that is gone, or a title above every screen: pulled in.
    EXPECT_EQ(KeptOnScreen({3000, 2000}, size, screens), QPoint(1824 - 451, 600 - 244));
    EXPECT_EQ(KeptOnScreen({200, -100}, size, screens), QPoint(200, 0));
    EXPECT_EQ(KeptOnScreen({-1000, 900}, size, screens), QPoint(0, 768 - 244));
    EXPECT_EQ(KeptOnScreen({5, 5}, size, {}), QPoint(5, 5));
}
