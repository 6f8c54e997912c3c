#pragma once

#include "player/equalizer/EqualizerState.h"

#include <QStringList>
#include <functional>
#include <vector>

enum class TEqualizerChannel { Left, Right };

// The equalizer window's logic: the state the user edits, the built-in
// presets (Flat first) and the user's own presets.
class TEqualizerModel {
public:
    TEqualizerModel();

    const TEqualizerState& State() const { return state_; }
    // Values outside the range are limited to it.
    void SetState(const TEqualizerState& state);
    void SetEnabled(bool value);
    // Linking copies the left bands to the right.
    void SetLinked(bool value);
    void SetPreamp(int decibels);
    // While linked, either channel sets both.
    void SetBand(TEqualizerChannel channel, int band, int decibels);
    int Band(TEqualizerChannel channel, int band) const;

    const std::vector<TEqualizerPreset>& BuiltInPresets() const { return builtIn_; }
    const std::vector<TEqualizerPreset>& UserPresets() const { return user_; }
    void SetUserPresets(std::vector<TEqualizerPreset> presets);
    // Built-in names, then the user's.
    QStringList PresetNames() const;
    bool IsBuiltIn(const QString& name) const;
    // Both channels and the preamp take the preset, and the equalizer goes
    // on. False when there is no such preset.
    bool ApplyPreset(const QString& name);
    // Keeps the left bands and the preamp as a user preset (replacing one
    // of that name). False for an empty or built-in name.
    bool SaveUserPreset(const QString& name);
    bool DeleteUserPreset(const QString& name);

    // After every change of the state.
    std::function<void()> OnStateChanged;
    // After the user presets changed.
    std::function<void()> OnPresetsChanged;

private:
    const TEqualizerPreset* Find(const QString& name) const;
    void StateChanged();

    TEqualizerState state_;
    std::vector<TEqualizerPreset> builtIn_;
    std::vector<TEqualizerPreset> user_;
};
