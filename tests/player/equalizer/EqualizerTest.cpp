// The equalizer's values as the engine gets them, its presets, and the
// window driving the model.
#include "player/equalizer/EqualizerForm.h"
#include "player/equalizer/EqualizerModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

TEST(Equalizer, DecibelsBecomeTheEnginesGainUnitsWithinItsRange) {
    EXPECT_EQ(EngineBandValue(0), 0);
    EXPECT_EQ(EngineBandValue(6.0206), 32);   // twice the level: 1 + 32/32
    EXPECT_EQ(EngineBandValue(-6.0206), -32); // half: 1 / (1 + 32/32)
    EXPECT_EQ(EngineBandValue(12), 95);
    EXPECT_EQ(EngineBandValue(24), 127); // beyond the engine's range
    EXPECT_EQ(EngineBandValue(-24), -128);

    TEqualizerState state;
    state.Linked = false;
    state.Left[0] = 6;
    state.Right[31] = -6;
    state.PreampDb = 6;
    ZK_EqualizerInfo bands = EngineBands(state);
    EXPECT_EQ(bands.left[0], EngineBandValue(12));
    EXPECT_EQ(bands.left[1], EngineBandValue(6));
    EXPECT_EQ(bands.right[31], 0);
    // Linked: the right channel takes the left bands whatever it held.
    state.Linked = true;
    bands = EngineBands(state);
    EXPECT_EQ(bands.right[0], bands.left[0]);
    EXPECT_EQ(bands.right[31], bands.left[31]);

    EXPECT_EQ(BandLabel(0), "345");
    EXPECT_EQ(BandLabel(31), "21.7k");
}

TEST(Equalizer, LinkedBandsMoveTogetherAndPresetsSwitchItOn) {
    TEqualizerModel model;
    int changes = 0;
    model.OnStateChanged = [&] { ++changes; };
    model.SetBand(TEqualizerChannel::Right, 3, 40);
    EXPECT_EQ(model.Band(TEqualizerChannel::Left, 3), 12); // linked, and limited
    EXPECT_EQ(model.Band(TEqualizerChannel::Right, 3), 12);
    model.SetLinked(false);
    model.SetBand(TEqualizerChannel::Right, 3, -5);
    EXPECT_EQ(model.Band(TEqualizerChannel::Left, 3), 12);
    EXPECT_EQ(model.Band(TEqualizerChannel::Right, 3), -5);
    model.SetLinked(true); // the left bands win
    EXPECT_EQ(model.Band(TEqualizerChannel::Right, 3), 12);
    model.SetBand(TEqualizerChannel::Left, 32, 3); // no such band
    EXPECT_EQ(changes, 4);

    EXPECT_EQ(model.PresetNames().first(), "Flat");
    EXPECT_TRUE(model.PresetNames().contains("Rock"));
    EXPECT_FALSE(model.State().Enabled);
    ASSERT_TRUE(model.ApplyPreset("Bass boost"));
    EXPECT_TRUE(model.State().Enabled);
    EXPECT_GT(model.Band(TEqualizerChannel::Left, 0), 0);
    EXPECT_EQ(model.Band(TEqualizerChannel::Right, 31), 0);
    EXPECT_LT(model.State().PreampDb, 0);
    ASSERT_TRUE(model.ApplyPreset("Flat"));
    for (int band = 0; band < kEqualizerBands; ++band) EXPECT_EQ(model.Band(TEqualizerChannel::Right, band), 0);
    EXPECT_FALSE(model.ApplyPreset("No such preset"));
}

TEST(Equalizer, UserPresetsAreKeptReplacedAndDeletedButNeverShadowBuiltIns) {
    TEqualizerModel model;
    int presetChanges = 0;
    model.OnPresetsChanged = [&] { ++presetChanges; };
    model.SetBand(TEqualizerChannel::Left, 5, 4);
    model.SetPreamp(-2);
    EXPECT_FALSE(model.SaveUserPreset("Rock"));
    EXPECT_FALSE(model.SaveUserPreset("   "));
    ASSERT_TRUE(model.SaveUserPreset(" Mine "));
    model.SetBand(TEqualizerChannel::Left, 5, 7);
    ASSERT_TRUE(model.SaveUserPreset("Mine")); // replaces
    ASSERT_EQ(model.UserPresets().size(), 1u);
    EXPECT_EQ(model.UserPresets()[0].Bands[5], 7);
    EXPECT_EQ(model.UserPresets()[0].PreampDb, -2);
    EXPECT_EQ(model.PresetNames().last(), "Mine");

    model.ApplyPreset("Flat");
    ASSERT_TRUE(model.ApplyPreset("Mine"));
    EXPECT_EQ(model.Band(TEqualizerChannel::Right, 5), 7);
    EXPECT_FALSE(model.DeleteUserPreset("Flat"));
    EXPECT_TRUE(model.DeleteUserPreset("Mine"));
    EXPECT_EQ(presetChanges, 3);

    // Stored presets with built-in or repeated names are dropped on loading.
    TEqualizerPreset stored{"Flat", 0, {}};
    TEqualizerPreset kept{"Late night", 30, {}};
    model.SetUserPresets({stored, kept, kept});
    ASSERT_EQ(model.UserPresets().size(), 1u);
    EXPECT_EQ(model.UserPresets()[0].PreampDb, kEqualizerRangeDb);
}

TEST(EqualizerForm, SlidersShowTheChosenChannelAndEveryChangeIsApplied) {
    TEqualizerForm form;
    QList<TEqualizerState> applied;
    form.OnApply = [&](const TEqualizerState& state) { applied << state; };
    EXPECT_FALSE(form.RightButton->isEnabled()); // linked at first

    form.EnabledBox->click();
    ASSERT_EQ(applied.size(), 1);
    EXPECT_TRUE(applied.last().Enabled);
    form.BandSliders[2]->setValue(5);
    EXPECT_EQ(applied.last().Left[2], 5);
    EXPECT_EQ(applied.last().Right[2], 5);

    form.LinkedBox->click();
    EXPECT_TRUE(form.RightButton->isEnabled());
    form.RightButton->click();
    EXPECT_EQ(form.ShownChannel(), TEqualizerChannel::Right);
    form.BandSliders[2]->setValue(-3);
    EXPECT_EQ(applied.last().Left[2], 5);
    EXPECT_EQ(applied.last().Right[2], -3);
    form.LeftButton->click();
    EXPECT_EQ(form.BandSliders[2]->value(), 5);

    // Home centres a band; a preset chosen in the box moves every slider.
    form.BandSliders[2]->setFocus();
    QTest::keyClick(form.BandSliders[2], Qt::Key_Home);
    EXPECT_EQ(applied.last().Left[2], 0);
    form.PresetBox->setCurrentIndex(form.PresetBox->findText("Treble boost"));
    emit form.PresetBox->activated(form.PresetBox->currentIndex());
    EXPECT_GT(form.BandSliders[31]->value(), 0);
    EXPECT_EQ(form.PreampSlider->value(), applied.last().PreampDb);

    form.AskPresetName = [] { return QString("Bright"); };
    form.SaveClick();
    EXPECT_EQ(form.PresetBox->currentText(), "Bright");
    EXPECT_TRUE(form.DeleteButton->isEnabled());
    form.DeleteClick();
    EXPECT_EQ(form.PresetBox->findText("Bright"), -1);
}
