#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

enum class TRepeatMode { Off, All, One };

// The order in which playlist lines play: in list order or shuffled, and
// what follows the last line. A shuffled pass plays every line once, in a
// random order that is drawn anew for each pass and whenever the list's
// length changes.
class TPlaybackOrder {
public:
    explicit TPlaybackOrder(uint32_t seed = std::random_device{}());

    bool Shuffle() const { return shuffle_; }
    void SetShuffle(bool value);
    TRepeatMode Repeat() const { return repeat_; }
    void SetRepeat(TRepeatMode value);
    // Off -> All -> One -> Off; returns the new mode.
    TRepeatMode CycleRepeat();

    // Raised after shuffle or repeat took a different value.
    std::function<void()> OnChanged;

    // The line after `current` (-1 when none played) in a list of `count`
    // lines when a track ended by itself; -1 when playback should stop.
    int AfterEnd(int current, int count);
    // The line the Next and Previous buttons go to; they always move, and
    // wrap at the ends of the order. -1 for an empty list.
    int Next(int current, int count);
    int Previous(int current, int count);

private:
    // The shuffled pass for `count` lines, starting with `current` when it
    // is a line of the list.
    void DrawOrder(int current, int count);
    // `current`'s place in the shuffled pass (drawn when stale).
    std::size_t PlaceOf(int current, int count);

    bool shuffle_ = false;
    TRepeatMode repeat_ = TRepeatMode::Off;
    std::vector<int> order_;
    std::mt19937 generator_;
};
