#include "decoder/decoder_hooks.h"
#include "decoder/decoder_private.h"

#include <cstring>
#include <memory>
#include <new>

ZK_DecoderPrivate::ZK_DecoderPrivate(ZK_Decoder* decoder)
    : source(decoder), reader(source), input(decoder, input_info, module_counts[0]),
      output(decoder, output_info, module_counts[1]) {}

namespace zk {

void reset_decoding(ZK_Decoder* decoder, bool new_input) {
    DecoderPrivate& p = private_of(decoder);
    p.source.reset();
    p.reader.reset_all(new_input);
    p.codec.reset();
    if (!new_input) return;
    int32_t crc_check = 1;
    decoder_get_environment_integer(decoder, ZK_CRC_CHECK_VARIABLE, &crc_check);
    p.reader.set_crc_check(crc_check != 0);
}

void publish_position(ZK_Decoder* decoder, float position, const ZK_Timecode& timecode) {
    decoder->input->position = position;
    decoder->input->timecode = timecode;
    decoder->status->position = position;
    decoder->status->timecode = timecode;
}

void forget_pcm_format(ZK_Decoder* decoder) {
    DecoderPrivate& p = private_of(decoder);
    ZK_PcmBuffer& buffer = *decoder->output_buffer;
    buffer.bytes_per_sample = 0;
    buffer.stereo = -1;
    buffer.sample_rate = 0;
    buffer.changes = 0;
    buffer.samples = nullptr;
    buffer.size = 0;
    std::memset(p.pcm, 0, sizeof p.pcm);
}

} // namespace zk

extern "C" ZK_API int32_t decoder_new(ZK_Decoder** result) {
    if (!result) return ZK_ERROR_INVALID_PARAMETERS;
    std::unique_ptr<ZK_Decoder> decoder(new (std::nothrow) ZK_Decoder{});
    if (!decoder) return ZK_ERROR_OUT_OF_MEMORY;
    try {
        decoder->private_data = new ZK_DecoderPrivate(decoder.get());
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    zk::DecoderPrivate& p = *decoder->private_data;
    decoder->name = "ZELKOR";
    decoder->input = &p.input_info;
    decoder->output = &p.output_info;
    decoder->module_counts = p.module_counts;
    decoder->status = &p.status;
    decoder->output_buffer = &p.output_buffer;
    decoder->output->caps = ZK_OUTPUT_CAPS_INITIAL;
    decoder->output_buffer->stereo = -1;
    decoder->get_integer = decoder_get_environment_integer;
    decoder->get_string = decoder_get_environment_string;
    decoder->add_listener = decoder_add_environment_listener;
    decoder->remove_listener = decoder_remove_environment_listener;
    decoder->get_string_sized = decoder_get_environment_string_sized;
    *result = decoder.release();
    return ZK_OK;
}

extern "C" ZK_API int32_t decoder_delete(ZK_Decoder* decoder) {
    if (!decoder) return ZK_ERROR_INVALID_PARAMETERS;
    zk::DecoderPrivate* p = decoder->private_data;
    // Instances first (they may still talk to the decoder), then filters and
    // modules, finally the environment without notifications.
    p->input.destroy();
    p->input.endpoint().chain().clear();
    p->output.destroy();
    p->output.endpoint().chain().clear();
    delete p;
    delete decoder;
    return ZK_OK;
}
