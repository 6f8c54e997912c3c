// One frame from the input to PCM, and the status it leaves behind.
#include "decoder/debug_report.h"
#include "decoder/decoder_hooks.h"
#include "decoder/decoder_private.h"
#include "decoder/pcm_format.h"
#include "decoder/timecode.h"

namespace {

struct ChannelChoice {
    zk::ChannelOutput output;
    int32_t stereo;
};

ChannelChoice choose_channels(const zk::FrameHeader& header, int32_t selection) {
    if (header.mode == ZK_MODE_SINGLE_CHANNEL) return {zk::ChannelOutput::Mono, 0};
    switch (selection) {
    case ZK_OUTPUT_CHANNELS_LEFT: return {zk::ChannelOutput::Left, 0};
    case ZK_OUTPUT_CHANNELS_RIGHT: return {zk::ChannelOutput::Right, 0};
    case ZK_OUTPUT_CHANNELS_MIX: return {zk::ChannelOutput::Mix, 0};
    default: return {zk::ChannelOutput::Stereo, 1};
    }
}

ZK_StreamInfo stream_info_of(const zk::FrameHeader& header) {
    ZK_StreamInfo info{};
    info.level = header.level();
    info.layer = header.layer();
    info.bitrate = header.bitrate_kbps();
    info.frequency = header.frequency_hz();
    info.mode = header.mode;
    return info;
}

bool same_stream_info(const ZK_StreamInfo& a, const ZK_StreamInfo& b) {
    return a.level == b.level && a.layer == b.layer && a.bitrate == b.bitrate && a.frequency == b.frequency &&
           a.mode == b.mode;
}

// Microseconds of audio in the output's queue, 0 when it cannot say.
uint32_t output_delay(ZK_Decoder* decoder, const ZK_PcmBuffer& pcm) {
    const ZK_OutputInfo& output = *decoder->output;
    if (!output.attached || !(output.caps & ZK_OUTPUT_CAP_DELAY)) return 0;
    uint32_t queued = 0;
    if (decoder->private_data->output.queued_bytes(&queued) < 0) return 0;
    const uint64_t samples = queued >> (pcm.bytes_per_sample - 1);
    const uint64_t per_second = uint64_t(pcm.sample_rate) * (pcm.stereo == 1 ? 2 : 1);
    if (samples == 0 || per_second == 0) return 0;
    return static_cast<uint32_t>(samples * 1000 / per_second * 1000);
}

void update_status(ZK_Decoder* decoder, const zk::FrameHeader& header) {
    ZK_DecodeStatus& status = *decoder->status;
    ZK_InputInfo& input = *decoder->input;

    const ZK_StreamInfo info = stream_info_of(header);
    status.info.changed = 0;
    if (!same_stream_info(info, status.info)) {
        status.info = info;
        status.info.changed = 1;
    }
    input.info = status.info;

    double seconds;
    float position = status.position;
    if (input.size) {
        position = static_cast<float>(input.offset) / static_cast<float>(input.size);
        seconds = input.duration * double(position);
    } else {
        seconds = double(uint64_t(input.offset) * 8 / (uint64_t(info.bitrate) * 1000));
    }
    zk::publish_position(decoder, position, zk::timecode_from_seconds(seconds));
}

} // namespace

extern "C" ZK_API int32_t decoder_decode(ZK_Decoder* decoder, void* pcm) {
    if (!decoder) return ZK_ERROR_INVALID_PARAMETERS;
    zk::DecoderPrivate& p = zk::private_of(decoder);
    if (decoder->input->state != 1) {
        zk::report_internal_error(decoder, "input not open");
        return ZK_ERROR_INTERNAL;
    }
    const int32_t selection = decoder->output->channels;
    if (selection < ZK_OUTPUT_CHANNELS_STEREO || selection > ZK_OUTPUT_CHANNELS_MIX) return ZK_ERROR_INTERNAL;

    int32_t result = p.reader.fetch_frame();
    if (result != ZK_OK) return result;
    const zk::FrameHeader& header = p.reader.header();
    const ChannelChoice channels = choose_channels(header, selection);
    int16_t* samples = pcm ? static_cast<int16_t*>(pcm) : p.pcm;
    zk::FrameContext frame{decoder, p.reader, p.codec, channels.output, samples};
    result = zk::decode_frame(frame);
    if (result != ZK_OK) return result; // the records stay as the last good frame left them

    ZK_InputInfo& input = *decoder->input;
    const int32_t bitrate = header.bitrate_kbps();
    input.duration = input.size && bitrate > 0 ? static_cast<int32_t>(input.size / (uint32_t(bitrate) * 125)) : 0;

    ZK_PcmBuffer& out = *decoder->output_buffer;
    const int32_t count = header.samples_per_channel() * (channels.stereo ? 2 : 1);
    int32_t bytes_per_sample = 2;
    int32_t size = count * 2;
    const uint32_t caps = decoder->output->caps;
    if (!(caps & ZK_OUTPUT_CAP_PCM16)) {
        bytes_per_sample = 1;
        size = count;
        if (caps & ZK_OUTPUT_CAP_LOG8)
            zk::convert_to_log8(samples, count);
        else
            zk::convert_to_unsigned8(samples, count);
    }
    const int32_t sample_rate = header.frequency_hz();
    int32_t changes = 0;
    if (bytes_per_sample != out.bytes_per_sample) changes |= ZK_PCM_CHANGED_SAMPLE_SIZE;
    if (channels.stereo != out.stereo) changes |= ZK_PCM_CHANGED_CHANNELS | ZK_PCM_CHANGED_SAMPLE_RATE;
    if (sample_rate != out.sample_rate) changes |= ZK_PCM_CHANGED_SAMPLE_RATE;
    out.changes = changes;
    out.samples = samples;
    out.size = size;
    out.bytes_per_sample = bytes_per_sample;
    out.stereo = channels.stereo;
    out.sample_rate = sample_rate;

    update_status(decoder, header);
    out.delay = output_delay(decoder, out);
    return ZK_OK;
}
