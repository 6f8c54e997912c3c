#include "input/input_layer.h"

#include "codec/bitstream_reader.h"
#include "codec/vbr_header.h"
#include "decoder/decoder_hooks.h"
#include "decoder/timecode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace zk {

namespace {

// The layout of `frames` audio frames like `first`. With LAME's tag and
// gapless playback the encoder delay and padding are left out; playback is
// cut at the end only when the frames were counted (an index) and match the
// tag's count.
TrackLayout layout_of(const FrameHeader& first, uint64_t frames, const VbrHeader& vbr, bool gapless, bool counted) {
    TrackLayout layout;
    layout.sample_rate = first.frequency_hz();
    layout.samples_per_frame = first.samples_per_channel();
    layout.frames = frames;
    const uint64_t decoded = layout.frames * static_cast<uint64_t>(layout.samples_per_frame);
    layout.heard_total = decoded;
    if (vbr.encoder_delay >= 0 && gapless) {
        const uint64_t lead = static_cast<uint64_t>(vbr.encoder_delay) + kDecoderDelay;
        // A file cut short has lost its padding with its last frames.
        const uint64_t padding = !counted || vbr.frames == frames ? static_cast<uint64_t>(vbr.padding) : 0;
        if (lead + padding < decoded) {
            layout.lead = static_cast<int32_t>(lead);
            layout.trims_end = counted;
            layout.heard_total = std::min(decoded - lead, decoded + kDecoderDelay - lead - padding);
        }
    }
    return layout;
}

} // namespace

InputLayer::InputLayer(ZK_Decoder* decoder, ZK_InputInfo& info, int32_t& module_count)
    : decoder_(decoder), info_(info), endpoint_(decoder, info, module_count) {
    info_.module = -1;
}

int32_t InputLayer::create(const char* name, int32_t module_id) {
    const int32_t result = endpoint_.create(name, module_id, [this] { close(); });
    if (result == ZK_OK) info_.caps = 0;
    return result;
}

void InputLayer::destroy() {
    endpoint_.destroy([this] { close(); });
}

int32_t InputLayer::open() {
    int32_t result = endpoint_.check_can_open();
    if (result != ZK_OK) return result;
    const ZK_InputNext& chain = endpoint_.head();
    result = chain.open(chain.context);
    if (result < 0) return result;

    info_.offset = 0;
    const uint32_t chain_size = info_.size ? info_.size : chain.get_size(chain.context);
    info_.size = chain_size;
    info_.duration = 0;
    info_.info = ZK_StreamInfo{};
    decoder_->status->info = ZK_StreamInfo{};
    forget_leading_tag();
    reset_decoding(decoder_, true);
    vbr_ = VbrHeader{};
    index_.clear();
    timeline_.start(TrackLayout{});
    info_.state = 1;
    publish_position(decoder_, 0.0f, ZK_Timecode{});
    info_.caps = chain.get_caps(chain.context);

    if (!(info_.caps & ZK_INPUT_CAN_SEEK)) {
        tag_check_ = TagCheck::Pending;
        return ZK_OK;
    }
    result = skip_tag_and_probe(chain_size);
    if (result < 0) close();
    return result;
}

int32_t InputLayer::skip_tag_and_probe(uint32_t chain_size) {
    const ZK_InputNext& chain = endpoint_.head();
    uint8_t header[kTagHeaderSize];
    if (chain.read(chain.context, header, sizeof header) == static_cast<int32_t>(sizeof header)) {
        const uint32_t tag_length = leading_tag_length(header);
        // A tag that claims the whole input is not trusted.
        if (tag_length && (chain_size == 0 || tag_length < chain_size)) data_start_ = tag_length;
    }
    if (chain_size) info_.size = chain_size - data_start_;

    int32_t result = chain.seek(chain.context, data_start_);
    if (result < 0) return result;
    skip_vbr_header(chain);
    if ((result = chain.seek(chain.context, data_start_)) < 0) return result;
    uint8_t first[4];
    int32_t bytes_per_second = 0;
    if (chain.read(chain.context, first, sizeof first) == static_cast<int32_t>(sizeof first) &&
        probe_frame_header(first, info_.info, bytes_per_second)) {
        info_.info.changed = 1;
        info_.duration = bytes_per_second > 0 ? static_cast<int32_t>(info_.size / bytes_per_second) : 0;
    }
    if ((result = chain.seek(chain.context, data_start_)) < 0) return result;
    index_.build(chain, 0);
    lay_out_track();
    result = chain.seek(chain.context, data_start_);
    if (result < 0) return result;
    const uint64_t start = index_.empty() ? 0 : requested_start();
    return start ? seek_to_sample(start) : ZK_OK;
}

void InputLayer::skip_vbr_header(const ZK_InputNext& chain) {
    uint8_t frame[2048];
    FrameHeader header;
    if (chain.read(chain.context, frame, 4) != 4 || !has_sync(header_word(frame)) ||
        !decode_frame_header(header_word(frame), header))
        return;
    const int32_t length = header.frame_length();
    if (length <= 4 || length > static_cast<int32_t>(sizeof frame) ||
        chain.read(chain.context, frame + 4, static_cast<uint32_t>(length - 4)) != length - 4)
        return;
    if (!parse_vbr_header(header, frame, length, vbr_)) return;
    data_start_ += static_cast<uint32_t>(length);
    info_.size = info_.size > static_cast<uint32_t>(length) ? info_.size - static_cast<uint32_t>(length) : 0;
}

bool InputLayer::gapless() const {
    int32_t value = 1;
    return decoder_->get_integer(decoder_, ZK_GAPLESS_VARIABLE, &value) != ZK_OK || value != 0;
}

uint64_t InputLayer::requested_start() const {
    int32_t milliseconds = 0;
    if (decoder_->get_integer(decoder_, ZK_INPUT_START_VARIABLE, &milliseconds) != ZK_OK || milliseconds <= 0) return 0;
    return static_cast<uint64_t>(milliseconds) * static_cast<uint64_t>(timeline_.sample_rate()) / 1000;
}

void InputLayer::lay_out_track() {
    if (!index_.empty()) set_layout(layout_of(index_.first(), index_.frames(), vbr_, gapless(), true));
}

void InputLayer::set_layout(const TrackLayout& layout) {
    timeline_.start(layout);
    if (layout.sample_rate > 0) info_.duration = static_cast<int32_t>(layout.heard_total / layout.sample_rate);
}

bool InputLayer::takes_information_frame(const FrameHeader& header, const uint8_t* frame, int32_t length) {
    if ((info_.caps & ZK_INPUT_CAN_SEEK) || timeline_.next_frame_number() != 0) return false;
    VbrHeader found;
    if (!parse_vbr_header(header, frame, length, found)) return false;
    if (vbr_.kind == VbrHeader::Kind::None) {
        vbr_ = found;
        if (found.frames > 0) set_layout(layout_of(header, found.frames, found, gapless(), false));
    }
    return true;
}
int32_t InputLayer::settle_leading_tag() {
    const ZK_InputNext& chain = endpoint_.head();
    // Byte by byte, so that a stream without a tag is not held back.
    while (tag_check_ == TagCheck::Pending && held_size_ < kTagHeaderSize) {
        const int32_t result = chain.read(chain.context, held_ + held_size_, 1);
        if (result == 0) {
            tag_check_ = TagCheck::Done; // a stream shorter than a tag header
            break;
        }
        if (result < 0) return result;
        ++held_size_;
        if (!could_begin_tag(held_, held_size_)) tag_check_ = TagCheck::Done;
    }
    if (tag_check_ == TagCheck::Pending) {
        const uint32_t tag_length = leading_tag_length(held_);
        if (tag_length) {
            skip_remaining_ = tag_length - kTagHeaderSize;
            held_size_ = 0;
            data_start_ = tag_length;
            if (info_.size > tag_length) info_.size -= tag_length;
            tag_check_ = TagCheck::Skipping;
        } else {
            tag_check_ = TagCheck::Done;
        }
    }
    while (tag_check_ == TagCheck::Skipping && skip_remaining_ > 0) {
        uint8_t scratch[1024];
        const uint32_t count = std::min<uint32_t>(skip_remaining_, sizeof scratch);
        const int32_t result = chain.read(chain.context, scratch, count);
        if (result == 0) return ZK_ERROR_INPUT_END;
        if (result < 0) return result;
        skip_remaining_ -= std::min<uint32_t>(static_cast<uint32_t>(result), count);
    }
    tag_check_ = TagCheck::Done;
    return ZK_OK;
}

uint32_t InputLayer::take_held(uint8_t* buffer, uint32_t count) {
    const uint32_t taken = std::min(held_size_ - held_used_, count);
    std::memcpy(buffer, held_ + held_used_, taken);
    held_used_ += taken;
    return taken;
}

void InputLayer::forget_leading_tag() {
    tag_check_ = TagCheck::Done;
    held_size_ = held_used_ = 0;
    skip_remaining_ = 0;
    data_start_ = 0;
}

int32_t InputLayer::close() {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    reset_decoding(decoder_);
    info_.caps = 0;
    info_.size = 0;
    info_.duration = 0;
    info_.state = 0;
    forget_leading_tag();
    index_.clear();
    timeline_.start(TrackLayout{});
    const ZK_InputNext& chain = endpoint_.head();
    return chain.close(chain.context);
}

int32_t InputLayer::read(void* buffer, uint32_t count) {
    int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    if (!buffer) return ZK_ERROR_INVALID_PARAMETERS;
    if (count == 0) return 0;
    if (tag_check_ != TagCheck::Done) {
        result = settle_leading_tag();
        if (result < 0) return result;
    }
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t delivered = take_held(out, count);
    if (delivered < count) {
        const ZK_InputNext& chain = endpoint_.head();
        result = chain.read(chain.context, out + delivered, count - delivered);
        if (result > 0) delivered += std::min(static_cast<uint32_t>(result), count - delivered);
        if (delivered == 0) return result == 0 ? ZK_ERROR_INPUT_END : result;
    }
    info_.offset += delivered;
    return static_cast<int32_t>(delivered);
}

bool InputLayer::reopens() const {
    return (info_.caps & ZK_INPUT_CAN_SEEK_BY_REOPEN) && !(info_.caps & ZK_INPUT_CAN_SEEK) && info_.size > 0;
}

double InputLayer::stream_seconds() const {
    if (timeline_.total_known()) return double(timeline_.layout().heard_total) / timeline_.sample_rate();
    return info_.duration;
}

double InputLayer::stream_byte_rate() const {
    const TrackLayout& layout = timeline_.layout();
    if (vbr_.bytes > 0 && vbr_.frames > 0 && layout.sample_rate > 0)
        return double(vbr_.bytes) * layout.sample_rate / (double(vbr_.frames) * layout.samples_per_frame);
    if (timeline_.byte_rate() > 0) return timeline_.byte_rate();
    return info_.duration > 0 ? double(info_.size) / info_.duration : 0;
}

uint32_t InputLayer::stream_offset_of(double seconds) const {
    const double total = stream_seconds();
    double offset = 0;
    if (!vbr_.table.empty() && total > 0)
        offset = std::round(vbr_.table.bytes_at(seconds / total) * (vbr_.bytes > 0 ? vbr_.bytes : info_.size));
    else
        offset = seconds * stream_byte_rate();
    return static_cast<uint32_t>(std::clamp(offset, 0.0, double(info_.size)));
}

double InputLayer::stream_time_of(uint32_t offset) const {
    const double total = stream_seconds();
    if (!vbr_.table.empty() && total > 0)
        return vbr_.table.time_at(double(offset) / (vbr_.bytes > 0 ? vbr_.bytes : info_.size)) * total;
    const double byte_rate = stream_byte_rate();
    return byte_rate > 0 ? offset / byte_rate : 0;
}

int32_t InputLayer::reopen_at(uint32_t offset) {
    offset = std::min(offset, info_.size);
    double seconds = stream_time_of(offset);
    const ZK_InputNext& chain = endpoint_.head();
    const int32_t result = chain.seek(chain.context, offset + data_start_);
    if (result < 0) return result;
    // What was held back while looking for a leading tag came before.
    held_size_ = held_used_ = 0;
    skip_remaining_ = 0;
    if (offset > 0 || tag_check_ != TagCheck::Pending) tag_check_ = TagCheck::Done;
    info_.offset = offset;

    // Decoding resumes at a frame start near the offset, counted as the
    // frame of that time, so the timecode follows the target.
    const TrackLayout& layout = timeline_.layout();
    uint64_t frame = 0, target = 0;
    if (layout.sample_rate > 0 && layout.samples_per_frame > 0) {
        const uint64_t lead = static_cast<uint64_t>(layout.lead);
        const auto per_frame = static_cast<uint64_t>(layout.samples_per_frame);
        frame = (static_cast<uint64_t>(std::max(seconds, 0.0) * layout.sample_rate) + lead) / per_frame;
        target = frame * per_frame > lead ? frame * per_frame - lead : 0;
        seconds = double(target) / layout.sample_rate;
    }
    timeline_.restart(frame, target);
    const float position = timeline_.total_known()
                               ? static_cast<float>(std::min(1.0, double(target) / double(layout.heard_total)))
                               : static_cast<float>(double(offset) / info_.size);
    publish_position(decoder_, position, timecode_from_seconds(seconds));
    reset_decoding(decoder_);
    return ZK_OK;
}

int32_t InputLayer::seek_to_offset(uint32_t offset) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    if (reopens()) return reopen_at(offset);
    if (!(info_.caps & ZK_INPUT_CAN_SEEK) || info_.size == 0) return ZK_FAILURE;
    offset = std::min(offset, info_.size);
    info_.offset = offset;
    const float position = static_cast<float>(offset) / static_cast<float>(info_.size);
    double seconds = info_.duration * double(position);
    if (!index_.empty()) {
        // Decoding resumes at the next frame start.
        const TrackLayout& layout = timeline_.layout();
        const uint64_t decoded = index_.frame_at(offset) * static_cast<uint64_t>(layout.samples_per_frame);
        const uint64_t lead = static_cast<uint64_t>(layout.lead);
        const uint64_t target = decoded > lead ? decoded - lead : 0;
        timeline_.restart(index_.frame_at(offset), target);
        seconds = double(target) / layout.sample_rate;
    }
    publish_position(decoder_, position, timecode_from_seconds(seconds));
    reset_decoding(decoder_);
    const ZK_InputNext& chain = endpoint_.head();
    return chain.seek(chain.context, offset + data_start_);
}

int32_t InputLayer::seek_to_sample(uint64_t target) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    if (!(info_.caps & ZK_INPUT_CAN_SEEK) || index_.empty()) return ZK_FAILURE;
    const TrackLayout& layout = timeline_.layout();
    target = std::min(target, layout.heard_total);
    const uint64_t frame =
        (target + static_cast<uint64_t>(layout.lead)) / static_cast<uint64_t>(layout.samples_per_frame);
    const uint64_t start = index_.preroll_start(frame);
    const uint32_t offset = index_.offset_of(start);
    info_.offset = offset;
    const float position = static_cast<float>(double(target) / double(layout.heard_total));
    publish_position(decoder_, position, timecode_from_seconds(double(target) / layout.sample_rate));
    reset_decoding(decoder_);
    timeline_.restart(start, target);
    const ZK_InputNext& chain = endpoint_.head();
    return chain.seek(chain.context, offset + data_start_);
}

int32_t InputLayer::seek_to_position(double position) {
    if (!(position > 0)) position = 0;
    if (position > 1) position = 1;
    if (!index_.empty() && info_.state == 1)
        return seek_to_sample(static_cast<uint64_t>(position * double(timeline_.layout().heard_total)));
    if (info_.state == 1 && reopens() && stream_seconds() > 0) return seek_to_time(position * stream_seconds());
    return seek_to_offset(static_cast<uint32_t>(info_.size * position));
}

int32_t InputLayer::seek_to_time(double seconds) {
    if (!(seconds > 0)) seconds = 0;
    if (!index_.empty() && info_.state == 1)
        return seek_to_sample(static_cast<uint64_t>(std::min(seconds * timeline_.sample_rate(), 1e18)));
    if (info_.state == 1 && reopens()) return reopen_at(stream_offset_of(seconds));
    return seek_to_position(info_.duration > 0 ? seconds / info_.duration : 0.0);
}

int32_t InputLayer::send_message(int32_t type, const void* data, uint32_t size) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    const ZK_InputNext& chain = endpoint_.head();
    return chain.send_message(chain.context, type, data, size);
}

} // namespace zk
