#include "codec/bitstream_reader.h"

#include "zelkor.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zk {

namespace {

uint32_t big_endian_word(const uint8_t bytes[4]) {
    return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

// An ID3v1, APE or Lyrics3 tag after the last frame of a file.
bool is_tag_start(const uint8_t bytes[4]) {
    return std::memcmp(bytes, "TAG", 3) == 0 || std::memcmp(bytes, "APET", 4) == 0 ||
           std::memcmp(bytes, "LYRI", 4) == 0;
}

bool same_stream(const FrameHeader& a, const FrameHeader& b) {
    return a.version_id == b.version_id && a.layer_code == b.layer_code && a.frequency_index == b.frequency_index &&
           a.is_free_format() == b.is_free_format();
}

// CRC-16 with the polynomial x^16 + x^15 + x^2 + 1, most significant bit first.
uint32_t crc16_step(uint32_t crc, uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        const uint32_t top = ((crc >> 15) ^ (value >> i)) & 1;
        crc = (crc << 1) & 0xFFFF;
        if (top) crc ^= 0x8005;
    }
    return crc;
}

} // namespace

BitstreamReader::BitstreamReader(ByteSource& source) : source_(source) {}

// At least count bytes in the look-ahead: 0, a failed read's code (retried
// by the next call), or -513 when the input ends before.
int32_t BitstreamReader::fill(int32_t count) {
    count = std::min(count, kLookAheadBytes);
    if (buffered() >= count) return 0;
    if (ahead_begin_ > 0) {
        std::memmove(ahead_, ahead(), static_cast<size_t>(buffered()));
        ahead_end_ -= ahead_begin_;
        ahead_begin_ = 0;
    }
    while (ahead_end_ < count) {
        if (source_ended_) return ZK_ERROR_INPUT_END;
        const int32_t wanted = count - ahead_end_;
        const int32_t result = source_.read(ahead_ + ahead_end_, static_cast<uint32_t>(wanted));
        if (result > 0) {
            ahead_end_ += std::min(result, wanted);
        } else if (result == 0 || result == ZK_ERROR_INPUT_END) {
            const int32_t drained = drain_source_end(count);
            if (drained < 0) return drained;
        } else {
            return result;
        }
    }
    return 0;
}

// A read across the end of the input delivers nothing: the last bytes come
// one at a time, until count are there or the input has ended.
int32_t BitstreamReader::drain_source_end(int32_t count) {
    while (ahead_end_ < count) {
        const int32_t result = source_.read(ahead_ + ahead_end_, 1);
        if (result == 0 || result == ZK_ERROR_INPUT_END) {
            source_ended_ = true;
            return 0;
        }
        if (result < 0) return result;
        ++ahead_end_;
    }
    return 0;
}

void BitstreamReader::skip_byte() {
    ++ahead_begin_;
    ++skipped_;
    in_sync_ = false;
}

int32_t BitstreamReader::end_of_input() {
    ahead_begin_ = ahead_end_ = 0;
    return found_frame_ ? ZK_ERROR_INPUT_END : ZK_ERROR_NO_AUDIO;
}

// The candidate's length in bytes, 0 when it cannot be a frame here, or a
// failed read's code. A free-format candidate is measured to the next header
// with the same fixed fields unless the stream's length is known already.
int32_t BitstreamReader::frame_length_of(FrameHeader& candidate, uint32_t word) {
    if (!candidate.is_free_format()) return candidate.frame_length();
    const uint32_t fixed = word & kFixedHeaderBits;
    if (free_format_bytes_ && fixed == free_format_word_) {
        candidate.free_format_bytes = free_format_bytes_;
        return candidate.frame_length();
    }
    const int32_t result = fill(kFrameBufferBytes + 4);
    if (result < 0 && result != ZK_ERROR_INPUT_END) return result;
    const int32_t pad = candidate.padding * candidate.slot_bytes();
    const int32_t shortest = 4 + (candidate.layer() == 3 ? candidate.side_info_length() : 0) + pad + 1;
    const uint8_t* bytes = ahead();
    for (int32_t at = shortest; at + 4 <= buffered() && at <= kFrameBufferBytes; ++at) {
        if (bytes[at] != 0xFF) continue;
        const uint32_t next_word = big_endian_word(bytes + at);
        FrameHeader next;
        if ((next_word & kFixedHeaderBits) != fixed || !decode_frame_header(next_word, next)) continue;
        candidate.free_format_bytes = at - pad;
        return at;
    }
    return 0;
}

bool BitstreamReader::confirmed(const FrameHeader& candidate, int32_t length) const {
    if (in_sync_ && same_stream(candidate, last_)) return true;
    const int32_t after = buffered() - length;
    if (after == 0) return source_ended_;
    if (after < 4) return false;
    const uint8_t* next = ahead() + length;
    if (is_tag_start(next)) return true;
    const uint32_t word = big_endian_word(next);
    FrameHeader successor;
    return has_sync(word) && decode_frame_header(word, successor);
}

int32_t BitstreamReader::fetch_frame() {
    for (;;) {
        int32_t result = fill(4);
        if (result == ZK_ERROR_INPUT_END) return end_of_input();
        if (result < 0) return result;
        const uint32_t word = big_endian_word(ahead());
        FrameHeader candidate;
        if (!has_sync(word) || !decode_frame_header(word, candidate)) {
            skip_byte();
            continue;
        }
        const int32_t length = frame_length_of(candidate, word);
        if (length < 0) return length;
        if (length == 0 || length > kFrameBufferBytes) {
            if (candidate.is_free_format()) free_format_bytes_ = 0;
            skip_byte();
            continue;
        }
        // The header after the frame is needed unless the frame continues the stream.
        const bool continues = in_sync_ && same_stream(candidate, last_);
        result = fill(continues ? length : length + 4);
        if (result < 0 && result != ZK_ERROR_INPUT_END) return result;
        if (buffered() < length && continues) return end_of_input(); // a truncated last frame
        if (buffered() < length || !confirmed(candidate, length)) {
            if (candidate.is_free_format()) free_format_bytes_ = 0;
            skip_byte();
            continue;
        }
        take_frame(candidate, word, length);
        return 0;
    }
}

void BitstreamReader::take_frame(const FrameHeader& candidate, uint32_t word, int32_t length) {
    // Bytes skipped between frames may have been a frame whose main data later
    // frames would reach back into.
    if (skipped_ >= 4 && candidate.layer() == 3) available_ = 0;
    skipped_ = 0;
    header_ = candidate;
    header_word_ = word;
    last_ = candidate;
    in_sync_ = true;
    found_frame_ = true;
    if (candidate.is_free_format()) {
        free_format_word_ = word & kFixedHeaderBits;
        free_format_bytes_ = candidate.free_format_bytes;
    }
    const uint8_t* body = ahead() + 4;
    if (candidate.layer() == 3) {
        const int32_t side = candidate.side_info_length();
        store_main_data(body + side, length - 4 - side);
        load_frame_buffer(body, side);
    } else {
        load_frame_buffer(body, length - 4);
    }
    frame_bytes_ = ahead();
    frame_length_ = length;
    ahead_begin_ += length;
    if (header_.protection == 0) read_bits(16);
}

// The frame buffer holds count bytes in stream order, then zeros.
void BitstreamReader::load_frame_buffer(const uint8_t* bytes, int32_t count) {
    count = std::clamp(count, 0, kFrameBufferBytes);
    const int32_t words = (count + 3) / 4;
    auto* buffer = reinterpret_cast<uint8_t*>(words_);
    std::memcpy(buffer, bytes, static_cast<size_t>(count));
    std::memset(buffer + count, 0, static_cast<size_t>(words * 4 - count));
    if (words < zero_from_) std::memset(words_ + words, 0, static_cast<size_t>(zero_from_ - words) * sizeof(uint32_t));
    zero_from_ = words;
    if constexpr (std::endian::native == std::endian::little) {
        for (int32_t i = 0; i < words; ++i) words_[i] = __builtin_bswap32(words_[i]);
    }
    data_bytes_ = count;
    reset_cursor();
}

void BitstreamReader::store_main_data(const uint8_t* bytes, int32_t count) {
    count = std::max(count, 0);
    main_start_ = write_position_;
    const int32_t first = std::min(count, static_cast<int32_t>(kReservoirBytes - write_position_));
    std::memcpy(reservoir_ + write_position_, bytes, static_cast<size_t>(first));
    std::memcpy(reservoir_, bytes + first, static_cast<size_t>(count - first));
    write_position_ = (write_position_ + static_cast<uint32_t>(count)) & kReservoirMask;
    frame_main_bytes_ = count;
    available_before_ = available_;
    available_ = std::min(available_ + count, kReservoirBytes);
}

bool BitstreamReader::crc_intact(int32_t protected_bits) const {
    if (!crc_check_ || header_.protection != 0) return true;
    protected_bits = std::clamp(protected_bits, 0, data_bits() - 16);
    uint32_t crc = crc16_step(0xFFFF, header_word_ & 0xFFFF, 16);
    BitCursor bits(words_, kFrameWords, 16);
    for (int32_t left = protected_bits; left > 0;) {
        const int n = std::min<int32_t>(left, 32);
        crc = crc16_step(crc, bits.window().peek_bits(n), n);
        bits.skip_bits(n);
        left -= n;
    }
    return crc == (words_[0] >> 16);
}

void BitstreamReader::put_back_bits(int n) {
    if (n <= 0) return;
    const int32_t bits = bits_left_ + n;
    word_index_ -= (bits - 1) / 32;
    bits_left_ = (bits - 1) % 32 + 1;
    if (word_index_ < 0) reset_cursor();
}

bool BitstreamReader::load_main_data(int32_t main_data_begin, int32_t bit_count) {
    reset_cursor();
    if (main_data_begin < 0 || bit_count < 0 || available_before_ < main_data_begin) return false;
    // Only what was received up to the end of this frame is main data.
    const int32_t count = std::min({(bit_count + 7) / 8, main_data_begin + frame_main_bytes_, kFrameBufferBytes});
    const uint32_t start = (main_start_ - static_cast<uint32_t>(main_data_begin)) & kReservoirMask;
    const int32_t first = std::min(count, static_cast<int32_t>(kReservoirBytes - start));
    uint8_t assembled[kFrameBufferBytes];
    std::memcpy(assembled, reservoir_ + start, static_cast<size_t>(first));
    std::memcpy(assembled + first, reservoir_, static_cast<size_t>(count - first));
    load_frame_buffer(assembled, count);
    return true;
}

void BitstreamReader::reset_reservoir() {
    main_start_ = 0;
    write_position_ = 0;
    available_ = 0;
    available_before_ = 0;
    frame_main_bytes_ = 0;
    in_sync_ = false;
}

void BitstreamReader::reset_all(bool new_input) {
    reset_cursor();
    reset_reservoir();
    ahead_begin_ = ahead_end_ = 0;
    source_ended_ = false;
    skipped_ = 0;
    free_format_bytes_ = 0;
    if (new_input) found_frame_ = false;
}

bool probe_frame_header(const uint8_t bytes[4], ZK_StreamInfo& info, int32_t& bytes_per_second) {
    FrameHeader header;
    if (bytes[0] != 0xFF || bytes[1] < 0xE0 || !decode_frame_header(big_endian_word(bytes), header) ||
        header.is_free_format())
        return false;
    set_stream_info(header, info);
    bytes_per_second = header.bitrate_kbps() * 1000 / 8;
    return true;
}

} // namespace zk
