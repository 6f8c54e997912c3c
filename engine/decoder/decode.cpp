// One frame from the input to PCM, and the status it leaves behind.
#include "decoder/debug_report.h"
#include "decoder/decoder_hooks.h"
#include "decoder/decoder_private.h"
#include "decoder/pcm_format.h"
#include "decoder/timecode.h"

#include <algorithm>

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

// Bytes of audio the output holds; false when it cannot say, and then it
// counts as holding nothing.
bool output_queued_bytes(ZK_Decoder* decoder, uint32_t& queued) {
    queued = 0;
    const ZK_OutputInfo& output = *decoder->output;
    if (!output.attached || !(output.caps & ZK_OUTPUT_CAP_DELAY)) return false;
    return decoder->private_data->output.queued_bytes(&queued) >= 0;
}

// Per-channel samples and microseconds of audio in those bytes.
uint64_t samples_in(uint32_t bytes, const ZK_PcmBuffer& pcm) {
    return (uint64_t{bytes} >> (pcm.bytes_per_sample - 1)) / (pcm.stereo == 1 ? 2 : 1);
}

uint32_t delay_of(uint64_t samples, const ZK_PcmBuffer& pcm) {
    if (samples == 0 || pcm.sample_rate <= 0) return 0;
    return static_cast<uint32_t>(samples * 1000 / uint64_t(pcm.sample_rate) * 1000);
}

// Streams of unknown length but known size: size / average byte rate of
// the frames so far, refined once per second of audio.
void refine_duration(ZK_InputInfo& input, zk::Timeline& timeline) {
    if (timeline.total_known() || !input.size || !timeline.next_second()) return;
    const double byte_rate = timeline.byte_rate();
    if (byte_rate > 0) input.duration = static_cast<int32_t>(std::min(double(input.size) / byte_rate, 2e9));
}

void update_status(ZK_Decoder* decoder, const zk::FrameHeader& header, uint64_t queued) {
    ZK_DecodeStatus& status = *decoder->status;
    ZK_InputInfo& input = *decoder->input;
    zk::Timeline& timeline = decoder->private_data->input.timeline();

    const ZK_StreamInfo info = stream_info_of(header);
    status.info.changed = 0;
    if (!same_stream_info(info, status.info)) {
        status.info = info;
        status.info.changed = 1;
    }
    input.info = status.info;

    const uint64_t heard = timeline.heard(queued);
    float position = status.position;
    if (timeline.total_known())
        position = static_cast<float>(std::min(1.0, double(heard) / double(timeline.layout().heard_total)));
    else if (input.size)
        position = static_cast<float>(input.offset) / static_cast<float>(input.size);
    zk::publish_position(decoder, position, zk::timecode_from_seconds(double(heard) / timeline.sample_rate()));
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
    while (result == ZK_OK &&
           p.input.takes_information_frame(p.reader.header(), p.reader.frame_bytes(), p.reader.frame_length()))
        result = p.reader.fetch_frame();
    if (result != ZK_OK) return result;
    const zk::FrameHeader& header = p.reader.header();
    const ChannelChoice channels = choose_channels(header, selection);

    zk::Timeline& timeline = p.input.timeline();
    const zk::Timeline::Span span =
        timeline.next_frame(header.frequency_hz(), header.samples_per_channel(), p.reader.frame_length());
    int16_t* samples = pcm ? static_cast<int16_t*>(pcm) : p.pcm;
    zk::FrameContext frame{decoder, p.reader, p.codec, channels.output, samples};
    result = zk::decode_frame(frame);
    if (result != ZK_OK) return result; // the records stay as the last good frame left them

    ZK_InputInfo& input = *decoder->input;
    refine_duration(input, timeline);

    ZK_PcmBuffer& out = *decoder->output_buffer;
    const int32_t channel_count = channels.stereo ? 2 : 1;
    int16_t* played = samples + span.first * channel_count;
    const int32_t count = span.count * channel_count;
    int32_t bytes_per_sample = 2;
    int32_t size = count * 2;
    const uint32_t caps = decoder->output->caps;
    if (!(caps & ZK_OUTPUT_CAP_PCM16)) {
        bytes_per_sample = 1;
        size = count;
        if (caps & ZK_OUTPUT_CAP_LOG8)
            zk::convert_to_log8(played, count);
        else
            zk::convert_to_unsigned8(played, count);
    }
    const int32_t sample_rate = header.frequency_hz();
    int32_t changes = 0;
    if (bytes_per_sample != out.bytes_per_sample) changes |= ZK_PCM_CHANGED_SAMPLE_SIZE;
    if (channels.stereo != out.stereo) changes |= ZK_PCM_CHANGED_CHANNELS | ZK_PCM_CHANGED_SAMPLE_RATE;
    if (sample_rate != out.sample_rate) changes |= ZK_PCM_CHANGED_SAMPLE_RATE;
    out.changes = changes;
    out.samples = played;
    out.size = size;
    out.bytes_per_sample = bytes_per_sample;
    out.stereo = channels.stereo;
    out.sample_rate = sample_rate;

    // The frame is counted as written; an output that reports what it holds
    // is about to hold this frame too.
    timeline.written(span);
    uint32_t queued_bytes = 0;
    const bool holds_frame = output_queued_bytes(decoder, queued_bytes);
    const uint64_t queued = samples_in(queued_bytes, out) + (holds_frame ? uint64_t(span.count) : 0);
    update_status(decoder, header, queued);
    out.delay = delay_of(queued, out);
    return ZK_OK;
}
