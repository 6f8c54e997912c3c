// One step of playback: decode a frame into the output's memory and write it.
#include "decoder/debug_report.h"
#include "decoder/decoder_private.h"

extern "C" ZK_API int32_t decoder_play(ZK_Decoder* decoder) {
    if (!decoder) return ZK_ERROR_INVALID_PARAMETERS;
    zk::DecoderPrivate& p = zk::private_of(decoder);
    if (decoder->output->state != 1) {
        zk::report_internal_error(decoder, "output not open");
        return ZK_ERROR_INTERNAL;
    }
    int32_t result = decoder_decode(decoder, p.output.lend_buffer(ZK_DecoderPrivate::kPcmBytes));
    if (result != ZK_OK) return result;

    const ZK_PcmBuffer& pcm = *decoder->output_buffer;
    if (pcm.changes) {
        ZK_OutputControl format{};
        format.sample_size = pcm.bytes_per_sample;
        format.sample_rate = pcm.sample_rate;
        format.stereo = pcm.stereo;
        decoder_output_set_control(decoder, &format, static_cast<uint32_t>(pcm.changes));
    }
    result = decoder_output_write(decoder, pcm.samples, static_cast<uint32_t>(pcm.size), pcm.bytes_per_sample,
                                  pcm.stereo, pcm.sample_rate);
    // A write the output refused is not reported as played.
    return result < 0 ? result : ZK_OK;
}
