#include "player/mixer/VirtualMixer.h"

#include <cstddef>

uint32_t TVirtualMixer::ReadVolume(TMixerKind kind, int) { return m_words[static_cast<size_t>(kind)]; }

void TVirtualMixer::WriteVolume(TMixerKind kind, int, uint32_t word) { m_words[static_cast<size_t>(kind)] = word; }

TVirtualMixer& TVirtualMixer::Process() {
    static TVirtualMixer mixer;
    return mixer;
}
