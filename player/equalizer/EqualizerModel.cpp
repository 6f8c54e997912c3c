#include "player/equalizer/EqualizerModel.h"

#include "player/equalizer/EqualizerStrings.h"

#include <algorithm>
#include <cmath>

namespace S = EqualizerStrings;

namespace {

// Curves are given at ten octave-spaced frequencies and spread over the
// bands by their centre frequencies.
constexpr double kCurveHz[] = {31, 62, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
constexpr int kCurvePoints = 10;

struct TCurve {
    const char* Name;
    int PreampDb;
    int Points[kCurvePoints];
};

constexpr TCurve kCurves[] = {
    {S::PresetFlat, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {S::PresetRock, -2, {5, 4, 3, 1, -1, -1, 1, 3, 4, 5}},
    {S::PresetPop, -1, {-1, 1, 3, 4, 3, 0, -1, -1, 0, 1}},
    {S::PresetJazz, -1, {3, 2, 1, 2, -1, -1, 0, 1, 2, 3}},
    {S::PresetClassical, 0, {0, 0, 0, 0, 0, 0, -2, -3, -3, -5}},
    {S::PresetDance, -2, {6, 5, 2, 0, 0, -2, -3, -3, 0, 0}},
    {S::PresetBass, -3, {7, 6, 5, 3, 1, 0, 0, 0, 0, 0}},
    {S::PresetTreble, -3, {0, 0, 0, 0, 0, 1, 3, 5, 6, 7}},
    {S::PresetVocal, -1, {-2, -3, -3, 1, 4, 4, 3, 1, 0, -2}},
};

int CurveAt(const TCurve& curve, double hertz) {
    if (hertz <= kCurveHz[0]) return curve.Points[0];
    for (int i = 1; i < kCurvePoints; ++i) {
        if (hertz <= kCurveHz[i]) {
            const double t = std::log2(hertz / kCurveHz[i - 1]) / std::log2(kCurveHz[i] / kCurveHz[i - 1]);
            return int(std::lround(curve.Points[i - 1] + t * (curve.Points[i] - curve.Points[i - 1])));
        }
    }
    return curve.Points[kCurvePoints - 1];
}

TEqualizerPreset PresetOf(const TCurve& curve) {
    TEqualizerPreset preset{QString::fromUtf8(curve.Name), curve.PreampDb, {}};
    for (int band = 0; band < kEqualizerBands; ++band) preset.Bands[band] = CurveAt(curve, BandCentreHz(band));
    return preset;
}

TEqualizerBands Clamped(TEqualizerBands bands) {
    for (int& value : bands) value = ClampToRange(value);
    return bands;
}

} // namespace

TEqualizerModel::TEqualizerModel() {
    for (const TCurve& curve : kCurves) builtIn_.push_back(PresetOf(curve));
}

void TEqualizerModel::StateChanged() {
    if (OnStateChanged) OnStateChanged();
}

void TEqualizerModel::SetState(const TEqualizerState& state) {
    state_ = state;
    state_.PreampDb = ClampToRange(state.PreampDb);
    state_.Left = Clamped(state.Left);
    state_.Right = state.Linked ? state_.Left : Clamped(state.Right);
    StateChanged();
}

void TEqualizerModel::SetEnabled(bool value) {
    state_.Enabled = value;
    StateChanged();
}

void TEqualizerModel::SetLinked(bool value) {
    state_.Linked = value;
    if (value) state_.Right = state_.Left;
    StateChanged();
}

void TEqualizerModel::SetPreamp(int decibels) {
    state_.PreampDb = ClampToRange(decibels);
    StateChanged();
}

void TEqualizerModel::SetBand(TEqualizerChannel channel, int band, int decibels) {
    if (band < 0 || band >= kEqualizerBands) return;
    const int value = ClampToRange(decibels);
    if (state_.Linked || channel == TEqualizerChannel::Left) state_.Left[band] = value;
    if (state_.Linked || channel == TEqualizerChannel::Right) state_.Right[band] = value;
    StateChanged();
}

int TEqualizerModel::Band(TEqualizerChannel channel, int band) const {
    if (band < 0 || band >= kEqualizerBands) return 0;
    return channel == TEqualizerChannel::Left ? state_.Left[band] : state_.Right[band];
}

void TEqualizerModel::SetUserPresets(std::vector<TEqualizerPreset> presets) {
    user_.clear();
    for (TEqualizerPreset& preset : presets) {
        if (preset.Name.isEmpty() || IsBuiltIn(preset.Name) || Find(preset.Name)) continue;
        preset.PreampDb = ClampToRange(preset.PreampDb);
        preset.Bands = Clamped(preset.Bands);
        user_.push_back(std::move(preset));
    }
    if (OnPresetsChanged) OnPresetsChanged();
}

QStringList TEqualizerModel::PresetNames() const {
    QStringList names;
    for (const auto* list : {&builtIn_, &user_}) {
        for (const TEqualizerPreset& preset : *list) names << preset.Name;
    }
    return names;
}

bool TEqualizerModel::IsBuiltIn(const QString& name) const {
    return std::any_of(builtIn_.begin(), builtIn_.end(), [&](const auto& preset) { return preset.Name == name; });
}

const TEqualizerPreset* TEqualizerModel::Find(const QString& name) const {
    for (const auto* list : {&builtIn_, &user_}) {
        for (const TEqualizerPreset& preset : *list) {
            if (preset.Name == name) return &preset;
        }
    }
    return nullptr;
}

bool TEqualizerModel::ApplyPreset(const QString& name) {
    const TEqualizerPreset* preset = Find(name);
    if (!preset) return false;
    state_.Enabled = true;
    state_.PreampDb = preset->PreampDb;
    state_.Left = preset->Bands;
    state_.Right = preset->Bands;
    StateChanged();
    return true;
}

bool TEqualizerModel::SaveUserPreset(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || IsBuiltIn(trimmed)) return false;
    const TEqualizerPreset preset{trimmed, state_.PreampDb, state_.Left};
    const auto same = std::find_if(user_.begin(), user_.end(), [&](const auto& p) { return p.Name == trimmed; });
    if (same != user_.end())
        *same = preset;
    else
        user_.push_back(preset);
    if (OnPresetsChanged) OnPresetsChanged();
    return true;
}

bool TEqualizerModel::DeleteUserPreset(const QString& name) {
    const auto found = std::find_if(user_.begin(), user_.end(), [&](const auto& p) { return p.Name == name; });
    if (found == user_.end()) return false;
    user_.erase(found);
    if (OnPresetsChanged) OnPresetsChanged();
    return true;
}
