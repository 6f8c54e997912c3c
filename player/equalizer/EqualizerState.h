#pragma once

#include "zelkor.h"

#include <QString>
#include <array>

// The engine's equalizer has one band per synthesis subband, per channel.
inline constexpr int kEqualizerBands = 32;
// Band and preamp settings run from -kEqualizerRangeDb to +kEqualizerRangeDb.
inline constexpr int kEqualizerRangeDb = 12;

using TEqualizerBands = std::array<int, kEqualizerBands>; // dB per band

// What the user set in the equalizer window.
struct TEqualizerState {
    bool Enabled = false;
    // Linked: both channels take the same bands (Left's).
    bool Linked = true;
    int PreampDb = 0;
    TEqualizerBands Left{};
    TEqualizerBands Right{};

    bool operator==(const TEqualizerState&) const = default;
};

// A named curve: the preamp and one set of bands for both channels.
struct TEqualizerPreset {
    QString Name;
    int PreampDb = 0;
    TEqualizerBands Bands{};

    bool operator==(const TEqualizerPreset&) const = default;
};

// The engine's band value for a gain in dB: 1 + v/32 above unity,
// 1 / (1 - v/32) below, kept within -128 ... 127 (about +-14 dB).
int8_t EngineBandValue(double decibels);

// The engine's bands for a state: each band plus the preamp. Only
// meaningful while the state is enabled (off is no equalizer at all).
ZK_EqualizerInfo EngineBands(const TEqualizerState& state);

// The centre frequency of a band in Hz at 44.1 kHz, and its short label
// ("345", "1.0k", "21.7k").
double BandCentreHz(int band);
QString BandLabel(int band);

// A value limited to the settings' range.
int ClampToRange(int decibels);
