#include "player/equalizer/EqualizerState.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnitsPerGain = 32.0;
constexpr double kSampleRate = 44100.0;

} // namespace

int8_t EngineBandValue(double decibels) {
    const double gain = std::pow(10.0, decibels / 20.0);
    const double value = gain >= 1.0 ? kUnitsPerGain * (gain - 1.0) : -kUnitsPerGain * (1.0 / gain - 1.0);
    return static_cast<int8_t>(std::clamp(std::lround(value), -128L, 127L));
}

ZK_EqualizerInfo EngineBands(const TEqualizerState& state) {
    ZK_EqualizerInfo info{};
    const TEqualizerBands& right = state.Linked ? state.Left : state.Right;
    for (int band = 0; band < kEqualizerBands; ++band) {
        info.left[band] = EngineBandValue(state.Left[band] + state.PreampDb);
        info.right[band] = EngineBandValue(right[band] + state.PreampDb);
    }
    return info;
}

double BandCentreHz(int band) { return (band + 0.5) * kSampleRate / 2.0 / kEqualizerBands; }

QString BandLabel(int band) {
    const double hertz = BandCentreHz(band);
    if (hertz < 1000.0) return QString::number(std::lround(hertz));
    return QString::number(hertz / 1000.0, 'f', 1) + u'k';
}

int ClampToRange(int decibels) { return std::clamp(decibels, -kEqualizerRangeDb, kEqualizerRangeDb); }
