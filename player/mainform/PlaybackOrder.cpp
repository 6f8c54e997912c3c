#include "player/mainform/PlaybackOrder.h"

#include "player/mainform/TrackSteps.h"

#include <algorithm>
#include <numeric>
#include <utility>

TPlaybackOrder::TPlaybackOrder(uint32_t seed) : generator_(seed) {}

void TPlaybackOrder::SetShuffle(bool value) {
    order_.clear();
    if (std::exchange(shuffle_, value) != value && OnChanged) OnChanged();
}

void TPlaybackOrder::SetRepeat(TRepeatMode value) {
    if (std::exchange(repeat_, value) != value && OnChanged) OnChanged();
}

TRepeatMode TPlaybackOrder::CycleRepeat() {
    switch (repeat_) {
    case TRepeatMode::Off: SetRepeat(TRepeatMode::All); break;
    case TRepeatMode::All: SetRepeat(TRepeatMode::One); break;
    case TRepeatMode::One: SetRepeat(TRepeatMode::Off); break;
    }
    return repeat_;
}

void TPlaybackOrder::DrawOrder(int current, int count) {
    order_.resize(static_cast<std::size_t>(count));
    std::iota(order_.begin(), order_.end(), 0);
    std::shuffle(order_.begin(), order_.end(), generator_);
    if (current >= 0 && current < count)
        std::iter_swap(order_.begin(), std::find(order_.begin(), order_.end(), current));
}

std::size_t TPlaybackOrder::PlaceOf(int current, int count) {
    if (order_.size() != static_cast<std::size_t>(count)) DrawOrder(current, count);
    const auto found = std::find(order_.begin(), order_.end(), current);
    if (found == order_.end()) {
        DrawOrder(current, count);
        return 0;
    }
    return static_cast<std::size_t>(found - order_.begin());
}

int TPlaybackOrder::AfterEnd(int current, int count) {
    if (count <= 0) return -1;
    if (repeat_ == TRepeatMode::One && current >= 0 && current < count) return current;
    if (!shuffle_) {
        if (current + 1 < count) return current + 1;
        return repeat_ == TRepeatMode::All ? 0 : -1;
    }
    const std::size_t place = PlaceOf(current, count);
    if (place + 1 < order_.size()) return order_[place + 1];
    if (repeat_ != TRepeatMode::All) return -1;
    // A new pass that does not start with the track just heard.
    DrawOrder(-1, count);
    if (count > 1 && order_.front() == current) std::swap(order_.front(), order_.back());
    return order_.front();
}

int TPlaybackOrder::Next(int current, int count) {
    if (count <= 0) return -1;
    if (!shuffle_) return NextIndex(current, count);
    const std::size_t place = PlaceOf(current, count);
    return order_[(place + 1) % order_.size()];
}

int TPlaybackOrder::Previous(int current, int count) {
    if (count <= 0) return -1;
    if (!shuffle_) return PreviousIndex(current, count);
    const std::size_t place = PlaceOf(current, count);
    return order_[(place + order_.size() - 1) % order_.size()];
}
