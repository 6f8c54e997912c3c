// The layout of a skin face as its INI file gives it.
#pragma once

#include "skin/loader/SkinIni.h"

#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

// Buttons, sliders and labels in the order the layout file lists them.
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
enum class TSkinSlider { Position, Volume };
enum class TSkinLabel { Version, Frequency, Bitrate, Layer, Status, CurrentTime, TotalTime, TotalInfo, SongName };

// A control of the face: its layout key prefix and the hint it starts with.
template <typename Id> struct TSkinControl {
    Id Control;
    const char* Prefix;
    const char* Hint;
};

inline constexpr std::array<TSkinControl<TSkinButton>, 14> kSkinButtons = {{
    {TSkinButton::Previous, "prev", "Go TO Previous Track"},
    {TSkinButton::Rewind, "rev", "Rewind"},
    {TSkinButton::Stop, "stop", "Stop"},
    {TSkinButton::Pause, "pause", "Pause/Resume"},
    {TSkinButton::Play, "play", "Play"},
    {TSkinButton::Forward, "fwd", "Fast Forward"},
    {TSkinButton::Next, "next", "Skip To Next Track"},
    {TSkinButton::Playlist, "plist", "Playlist Window"},
    {TSkinButton::Id3, "id3", "Show ID3 Tags"},
    {TSkinButton::Open, "open", "Add Files To Playlist and Play"},
    {TSkinButton::Options, "option", "Show Options"},
    {TSkinButton::Minimize, "mini", "Minimize Program"},
    {TSkinButton::Move, "move", "Move"},
    {TSkinButton::Exit, "exit", "Exit Program"},
}};
inline constexpr std::array<TSkinControl<TSkinSlider>, 2> kSkinSliders = {{
    {TSkinSlider::Position, "tbbar", "Position in current track"},
    {TSkinSlider::Volume, "volbar", "Volume Bar"},
}};
inline constexpr std::array<TSkinControl<TSkinLabel>, 9> kSkinLabels = {{
    {TSkinLabel::Version, "versiontext", "Program Version"},
    {TSkinLabel::Frequency, "frequency", "Frequency Info"},
    {TSkinLabel::Bitrate, "bitrate", "Bitrate Info"},
    {TSkinLabel::Layer, "layer", "Layer Type Info"},
    {TSkinLabel::Status, "info", "Status Bar"},
    {TSkinLabel::CurrentTime, "time", "Elapsed Time"},
    {TSkinLabel::TotalTime, "totaltime", "Total Time"},
    {TSkinLabel::TotalInfo, "totalinfo", ""},
    {TSkinLabel::SongName, "songtitle", "Songname"},
}};

// A table names every control of its enum once, in enum order.
template <typename Id, std::size_t N>
constexpr bool ListsEveryControlInOrder(const std::array<TSkinControl<Id>, N>& table, Id last) {
    if (std::size_t(last) + 1 != N) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (std::size_t(table[i].Control) != i || !table[i].Prefix || !table[i].Hint) return false;
    return true;
}
static_assert(ListsEveryControlInOrder(kSkinButtons, TSkinButton::Exit));
static_assert(ListsEveryControlInOrder(kSkinSliders, TSkinSlider::Volume));
static_assert(ListsEveryControlInOrder(kSkinLabels, TSkinLabel::SongName));

constexpr const TSkinControl<TSkinButton>& SkinControl(TSkinButton b) { return kSkinButtons[std::size_t(b)]; }
constexpr const TSkinControl<TSkinSlider>& SkinControl(TSkinSlider s) { return kSkinSliders[std::size_t(s)]; }
constexpr const TSkinControl<TSkinLabel>& SkinControl(TSkinLabel l) { return kSkinLabels[std::size_t(l)]; }

inline constexpr int kSkinButtonCount = int(kSkinButtons.size());
inline constexpr int kSkinLabelCount = int(kSkinLabels.size());

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
