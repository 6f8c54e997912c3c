#pragma once

#include "player/mixer/MixerDevices.h"

#include <optional>
#include <vector>

// The ALSA simple mixer elements behind each kind, on the sound cards: wave
// "PCM" then "Master", CD "CD", MIDI "Synth" then "MIDI"; the first element
// that has a playback volume.
namespace AlsaMixer {

// The card numbers of the system's sound cards, in order.
std::vector<int> SoundCards();

bool HasElement(int card, TMixerKind kind);
// The element's volume as a volume word; nothing when it cannot be read.
std::optional<uint32_t> ReadVolume(int card, TMixerKind kind);
// False when the element cannot be written.
bool WriteVolume(int card, TMixerKind kind, uint32_t word);

// Scaling between channel levels (0 to 65535) and an element's range.
uint32_t LevelOfElementValue(long value, long min, long max);
long ElementValueOfLevel(uint32_t level, long min, long max);

} // namespace AlsaMixer
