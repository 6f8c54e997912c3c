// The decoder's input: module registry, the chosen module behind its filter
// chain, open/close/read with offset tracking, the four seeks, and the
// leading ID3v2 tag, which is skipped so that offset 0 is the first byte
// after it (sizes, positions and seeks all count from there). A seekable
// input is indexed when it opens: its information frame (Xing, Info, VBRI)
// is taken out of the stream like the tag, and its frames are counted, which
// gives the duration and seeks that land on the sample. Other inputs take
// an information frame out when it comes first; streams whose server can
// send the data from an offset seek by asking again, placed through the
// frame's seek table (Xing's or VBRI's) or the average byte rate.
#pragma once

#include "codec/vbr_header.h"
#include "decoder/timeline.h"
#include "input/frame_index.h"
#include "input/input_chain.h"
#include "input/leading_tag.h"
#include "zelkor.h"

namespace zk {

class InputLayer {
public:
    InputLayer(ZK_Decoder* decoder, ZK_InputInfo& info, int32_t& module_count);

    InputEndpoint& endpoint() { return endpoint_; }

    int32_t create(const char* name, int32_t module_id);
    void destroy();
    int32_t open();
    int32_t close();
    int32_t read(void* buffer, uint32_t count);
    int32_t seek_to_offset(uint32_t offset);
    int32_t seek_to_position(double position);
    int32_t seek_to_time(double seconds);
    // Seekable inputs of known layout: decoding resumes so that heard sample
    // `target` is the first one played.
    int32_t seek_to_sample(uint64_t target);
    Timeline& timeline() { return timeline_; }
    // Inputs that are not indexed: true for an information frame fetched as
    // the first frame, which is then not played; the first time, it lays out
    // the track.
    bool takes_information_frame(const FrameHeader& header, const uint8_t* frame, int32_t length);
    int32_t send_message(int32_t type, const void* data, uint32_t size);

private:
    enum class TagCheck { Pending, Skipping, Done };

    // Seekable inputs: skip a leading tag by seeking past it and probe the
    // first frame header for stream info and duration.
    int32_t skip_tag_and_probe(uint32_t chain_size);
    // Takes an information frame at the data start out of the stream.
    void skip_vbr_header(const ZK_InputNext& chain);
    // The layout from the index and the information frame, and the duration.
    void lay_out_track();
    void set_layout(const TrackLayout& layout);
    bool reopens() const;
    // Streams that reopen: asks for the data from offset on, where playback
    // resumes at the time the offset stands for; nothing changes when the
    // stream refuses.
    int32_t reopen_at(uint32_t offset);
    // A stream's length in seconds (known or estimated, 0 when unknown), its
    // bytes per second, and where a time lies in it and back.
    double stream_seconds() const;
    double stream_byte_rate() const;
    uint32_t stream_offset_of(double seconds) const;
    double stream_time_of(uint32_t offset) const;
    bool gapless() const;
    // The start the environment asks for, in heard samples.
    uint64_t requested_start() const;
    // Other inputs: on the first reads, take up to 10 bytes while they may
    // begin a tag, then either skip the tag or deliver them ahead of the rest.
    int32_t settle_leading_tag();
    uint32_t take_held(uint8_t* buffer, uint32_t count);
    void forget_leading_tag();

    ZK_Decoder* decoder_;
    ZK_InputInfo& info_;
    InputEndpoint endpoint_;

    TagCheck tag_check_ = TagCheck::Done;
    uint8_t held_[kTagHeaderSize] = {}; // first bytes of a stream without a tag
    uint32_t held_size_ = 0;
    uint32_t held_used_ = 0;
    uint32_t skip_remaining_ = 0;
    uint32_t data_start_ = 0; // chain offset of input offset 0

    VbrHeader vbr_;
    FrameIndex index_;
    Timeline timeline_;
};

} // namespace zk
