// Frames from the decoder's input: sync search with confirmation, free-format
// lengths, the CRC check, the layer III main-data reservoir, and the bit
// reader the layer decoders use.
#pragma once

#include "codec/frame_header.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

struct ZK_StreamInfo;

namespace zk {

// Where the reader takes its bytes from: the decoder's input chain, or a
// buffer in tests. read() delivers exactly count bytes and returns count, or
// a negative code (-513 at the end of the input). A short positive count is
// taken as partial progress; 0 counts as the end of the input.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual int32_t read(void* buffer, uint32_t count) = 0;
};

// The next bits of a stream held in one register, the next bit at the top:
// at least 33 valid bits when taken from a BitCursor.
class BitWindow {
public:
    explicit BitWindow(uint64_t bits) : bits_(bits) {}

    uint32_t peek_bits(int n) const { // 1..32
        assert(n >= 1 && n <= 32);
        return static_cast<uint32_t>(bits_ >> (64 - n));
    }
    void skip_bits(int n) {
        bits_ <<= n;
        used_ += n;
    }
    uint32_t read_bits(int n) { // 1..32
        const uint32_t value = peek_bits(n);
        skip_bits(n);
        return value;
    }
    int used() const { return used_; }

private:
    uint64_t bits_;
    int used_ = 0;
};

// A copy of a reader's cursor for tight loops: the position lives in a
// register, and bits past the frame buffer read as zeros. Moving it does not
// move the reader; the reader's seek_bits() takes the position back.
class BitCursor {
public:
    BitCursor(const uint32_t* words, int32_t last_word, int32_t position)
        : words_(words), last_word_(last_word), position_(position) {}

    // The bits from the cursor on (at least 33), without moving it.
    BitWindow window() const {
        const int32_t index = std::min(position_ >> 5, last_word_);
        const uint64_t pair = (uint64_t{words_[index]} << 32) | words_[index + 1];
        return BitWindow(pair << (position_ & 31));
    }
    void skip_bits(int n) { position_ += n; }
    int32_t bits_consumed() const { return position_; }

private:
    const uint32_t* words_; // words_[last_word_ + 1] is the last one read
    int32_t last_word_;
    int32_t position_;
};

class BitstreamReader {
public:
    explicit BitstreamReader(ByteSource& source);
    BitstreamReader(const BitstreamReader&) = delete;
    BitstreamReader& operator=(const BitstreamReader&) = delete;

    // Next accepted frame: 0 with header() and the frame data ready, or a
    // negative input code (-513 at the end, -601 when the input ended
    // without a single frame); never -600. Resumable after a failed read.
    // The cursor then stands at the start of the frame buffer, past the 16
    // CRC bits when the header announces a CRC: at the audio data (layers I
    // and II) or the side information (layer III).
    //
    // A header found by searching is taken when the next header, a trailing
    // tag or the exact end of the input follows its frame; otherwise the
    // search goes on one byte further. A header where the previous frame
    // ended is taken without that check when the stream's fixed fields stay
    // the same. Free-format frames take their length from the distance to
    // the next header.
    int32_t fetch_frame();
    const FrameHeader& header() const { return header_; }
    // The bytes of the frame last fetched, header included; valid until the
    // next fetch.
    const uint8_t* frame_bytes() const { return frame_bytes_; }
    int32_t frame_length() const { return frame_length_; }

    // True unless the frame carries a CRC (and the check is on) that does not
    // match the header's last two bytes and the first protected_bits bits
    // after the CRC in the frame buffer. Layer III calls it before it loads
    // the main data.
    bool crc_intact(int32_t protected_bits) const;
    void set_crc_check(bool on) { crc_check_ = on; }

    // Next n bits (0..16), most significant first. Reads past the loaded
    // data give zero bits and never leave the frame buffer.
    uint32_t read_bits(int n);
    // Moves the cursor back by n bits.
    void put_back_bits(int n);
    // A cursor at the reader's position, and a jump of the reader's own
    // cursor to a position (bits from the frame buffer start).
    BitCursor cursor() const { return BitCursor(words_, kFrameWords, bits_consumed()); }
    void seek_bits(int32_t position);
    // Bits consumed since the cursor was last reset to the frame buffer start.
    int32_t bits_consumed() const { return word_index_ * 32 + (32 - bits_left_); }
    // Bits of data loaded at the frame buffer start: the frame body after the
    // header (layers I and II), the side information or the assembled main
    // data (layer III). Reading beyond them is a damaged frame.
    int32_t data_bits() const { return data_bytes_ * 8; }

    // Layer III: assembles this frame's main data (main_data_begin bytes back
    // into the reservoir, bit_count bits) at the start of the frame buffer and
    // resets the cursor there. False when the reservoir does not reach back
    // far enough. Bits beyond the main data received so far read as zeros.
    bool load_main_data(int32_t main_data_begin, int32_t bit_count);

    // Open, close, seek by offset; a new input also forgets that frames were
    // found (for the -601 result).
    void reset_all(bool new_input = false);
    void reset_reservoir(); // codec reset after a seek; the next frame is searched for

    static constexpr int32_t kFrameBufferBytes = 2048; // also the longest frame taken
    static constexpr int32_t kReservoirBytes = 4096;
    static constexpr int32_t kLookAheadBytes = 4096; // the largest single read as well

private:
    static constexpr int32_t kFrameWords = kFrameBufferBytes / 4;
    static constexpr uint32_t kReservoirMask = kReservoirBytes - 1;

    int32_t fill(int32_t count);
    int32_t drain_source_end(int32_t count);
    int32_t buffered() const { return ahead_end_ - ahead_begin_; }
    const uint8_t* ahead() const { return ahead_ + ahead_begin_; }
    void skip_byte();
    int32_t end_of_input();
    int32_t frame_length_of(FrameHeader& candidate, uint32_t word);
    bool confirmed(const FrameHeader& candidate, int32_t length) const;
    void take_frame(const FrameHeader& candidate, uint32_t word, int32_t length);
    void load_frame_buffer(const uint8_t* bytes, int32_t count);
    void store_main_data(const uint8_t* bytes, int32_t count);
    void reset_cursor() {
        word_index_ = 0;
        bits_left_ = 32;
    }

    ByteSource& source_;
    FrameHeader header_{};
    uint32_t header_word_ = 0;
    const uint8_t* frame_bytes_ = nullptr;
    int32_t frame_length_ = 0;
    bool crc_check_ = true;

    // Bytes read from the source and not yet taken as frames or skipped.
    uint8_t ahead_[kLookAheadBytes] = {};
    int32_t ahead_begin_ = 0;
    int32_t ahead_end_ = 0;
    bool source_ended_ = false;

    bool in_sync_ = false;          // the last frame ended where the next byte starts
    FrameHeader last_{};            // the last frame taken
    int32_t skipped_ = 0;           // bytes skipped since the last frame
    bool found_frame_ = false;      // since the input was opened
    uint32_t free_format_word_ = 0; // fixed header bits of the free-format length below
    int32_t free_format_bytes_ = 0;

    // Frame buffer: 32-bit words in stream order, plus a zero guard word the
    // cursor stops at and one more that a BitCursor's peeks past it see. Words from
    // zero_from_ on are all zero.
    uint32_t words_[kFrameWords + 2] = {};
    int32_t zero_from_ = 0;
    int32_t data_bytes_ = 0;
    int32_t word_index_ = 0;
    int32_t bits_left_ = 32; // 1..32 unread bits of words_[word_index_]

    // Layer III main-data reservoir: a ring of received main data.
    uint8_t reservoir_[kReservoirBytes] = {};
    uint32_t main_start_ = 0; // this frame's main data start in the ring
    uint32_t write_position_ = 0;
    int32_t frame_main_bytes_ = 0; // main data bytes of this frame
    int32_t available_ = 0;        // main data bytes in the ring, up to 4096
    int32_t available_before_ = 0; // the same before this frame's data
};

inline uint32_t BitstreamReader::read_bits(int n) {
    static constexpr uint32_t kMask[17] = {0x0,   0x1,   0x3,   0x7,   0xF,    0x1F,   0x3F,   0x7F,  0xFF,
                                           0x1FF, 0x3FF, 0x7FF, 0xFFF, 0x1FFF, 0x3FFF, 0x7FFF, 0xFFFF};
    assert(n >= 0 && n <= 16);
    const uint32_t word = words_[word_index_];
    if (n < bits_left_) {
        bits_left_ -= n;
        return static_cast<uint32_t>(static_cast<uint64_t>(word) >> bits_left_) & kMask[n];
    }
    // The remaining bits of this word, then the top bits of the next one.
    const int rest = n - bits_left_;
    const uint32_t high = (word & kMask[bits_left_]) << rest;
    word_index_ += word_index_ < kFrameWords ? 1 : 0;
    bits_left_ = 32 - rest;
    return high | static_cast<uint32_t>(static_cast<uint64_t>(words_[word_index_]) >> bits_left_);
}

inline void BitstreamReader::seek_bits(int32_t position) {
    position = std::clamp(position, 0, kFrameWords * 32);
    word_index_ = position >> 5;
    bits_left_ = 32 - (position & 31);
}

// Parses 4 bytes as a header for the open-time probe (first byte 0xFF, second
// at least 0xE0, valid header, not free format). On success fills level, layer, bitrate,
// frequency and mode of info and the stream's bytes per second.
bool probe_frame_header(const uint8_t bytes[4], ZK_StreamInfo& info, int32_t& bytes_per_second);

} // namespace zk
