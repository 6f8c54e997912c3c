// The frame reader and the layer I, II and III decoders through the memory
// input ("size@address" static block), as a client of the engine drives them.
//
// Input: one option byte, then the stream. Option bits 0-1 choose the channel
// selection, bit 2 an equalizer with strong band values, bit 3 a seek to the
// middle of the stream after the first frames, bit 4 turns the CRC check off.
// Seeds cover free format, protected and damaged frames, stray bytes between
// frames and trailing tags, so the frame search and its checks are driven.
#include "zelkor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void set_equalizer(ZK_Decoder* decoder, uint8_t seed) {
    ZK_EqualizerInfo equalizer{};
    for (int band = 0; band < 32; ++band) {
        equalizer.left[band] = static_cast<int8_t>((band * 37 + seed * 11) % 256 - 128);
        equalizer.right[band] = static_cast<int8_t>((band * 53 + seed * 7) % 256 - 128);
    }
    decoder_codec_set_equalizer(decoder, &equalizer);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t options = data[0];
    // A block of exactly the stream's size, so that any read past it is caught.
    const size_t length = size - 1;
    std::unique_ptr<uint8_t[]> stream(new uint8_t[length ? length : 1]);
    std::memcpy(stream.get(), data + 1, length);

    ZK_Decoder* decoder = nullptr;
    if (decoder_new(&decoder) != 0) abort();
    ZK_InputModule memory{};
    memory_input_module_register(&memory);
    decoder_input_module_register(decoder, &memory);
    decoder->output->channels = options & 3;
    if (options & 4) set_equalizer(decoder, options);
    if (options & 16) decoder_set_environment_integer(decoder, ZK_CRC_CHECK_VARIABLE, 0);

    char name[64];
    std::snprintf(name, sizeof name, "%zx@%p", length, static_cast<void*>(stream.get()));
    int32_t status = decoder_input_new(decoder, name, -1);
    if (status == 0) status = decoder_input_open(decoder);

    // Every step consumes input, so the steps are bounded by the stream's
    // size (twice over with the seek back); more means a decoder that no
    // longer advances.
    const size_t max_steps = 2 * length + 16;
    size_t step = 0;
    for (; status == 0; ++step) {
        if (step == max_steps) {
            std::fprintf(stderr, "decoder does not advance\n");
            abort();
        }
        int32_t result = decoder_decode(decoder, nullptr);
        if (result == ZK_ERROR_INVALID_FRAME) continue;
        if (result != 0) break;
        const ZK_PcmBuffer& pcm = *decoder->output_buffer;
        if (pcm.size < 0 || pcm.size > 4608) abort();
        if (step == 2 && (options & 8)) decoder_input_seek_to_position(decoder, 0.5f);
    }
    decoder_delete(decoder);
    return 0;
}
