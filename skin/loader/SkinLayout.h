// The layout of a skin face as its INI file gives it.
#pragma once

#include "skin/loader/SkinIni.h"

#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

// Buttons and labels in the order the layout file lists them.
enum class TSkinButton {
    Previous,
    Rewind,
    Stop,
    Pause,
    Play,
    Forward,
    Next,
    Playlist,
    Id3,
    Open,
    Options,
    Minimize,
    Move,
    Exit
};
enum class TSkinLabel { Version, Frequency, Bitrate, Layer, Status, CurrentTime, TotalTime, TotalInfo, SongName };

inline constexpr int kSkinButtonCount = 14;
inline constexpr int kSkinLabelCount = 9;

struct TSkinSliderLayout {
    bool Vertical = false;
    QRect Bounds;
};

struct TSkinLabelLayout {
    bool Transparent = false;
    QRect Bounds;
    QString Font;
    int FontSize = 0;          // points, before fitting to the height
    std::uint32_t Color = 0;   // text, 0x00BBGGRR or system colour
    std::uint32_t BkColor = 0; // background
};

struct TSkinLayout {
    std::array<QRect, kSkinButtonCount> Buttons;
    TSkinSliderLayout Position;
    TSkinSliderLayout Volume;
    std::array<TSkinLabelLayout, kSkinLabelCount> Labels;

    const QRect& Button(TSkinButton b) const { return Buttons[std::size_t(b)]; }
    const TSkinLabelLayout& Label(TSkinLabel l) const { return Labels[std::size_t(l)]; }
};

// Every absent or unreadable key takes its default; coordinates and sizes are
// kept within -32767 ... 32767.
TSkinLayout ReadSkinLayout(const TSkinIni& ini);
