#pragma once

#include "player/equalizer/EqualizerModel.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The equalizer window: on/off, linked or per-channel bands (the channel
// chosen shows its 32 bands), a preamp and the presets. It shows and edits
// its TEqualizerModel; every change goes to OnApply at once.
class TEqualizerForm : public QWidget {
    Q_OBJECT
public:
    explicit TEqualizerForm(QWidget* parent = nullptr);

    TEqualizerModel& Model() { return model_; }
    // The channel the band sliders show and edit.
    TEqualizerChannel ShownChannel() const { return channel_; }
    void ShowChannel(TEqualizerChannel channel);

    // Asks for a name and saves the current curve as a user preset.
    void SaveClick();
    void DeleteClick();

    QCheckBox* EnabledBox;
    QCheckBox* LinkedBox;
    QRadioButton* LeftButton;
    QRadioButton* RightButton;
    QSlider* PreampSlider;
    std::array<QSlider*, kEqualizerBands> BandSliders{};
    QComboBox* PresetBox;
    QPushButton* SaveButton;
    QPushButton* DeleteButton;

    // The state to apply to the engine, after every change.
    std::function<void(const TEqualizerState& state)> OnApply;
    // The user presets changed (to be kept).
    std::function<void()> OnPresetsChanged;
    // Asks the user for a preset name; empty when cancelled. Replaceable in tests.
    std::function<QString()> AskPresetName;

private:
    void ShowState();
    void ShowPresets();
    QWidget* BuildBands();

    TEqualizerModel model_;
    TEqualizerChannel channel_ = TEqualizerChannel::Left;
    bool showing_ = false;
};
