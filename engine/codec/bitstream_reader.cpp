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

// ID3v1 tag after the last frame of a file.
bool is_tag_start(const uint8_t bytes[4]) { return bytes[0] == 'T' && bytes[1] == 'A' && bytes[2] == 'G'; }

} // namespace

BitstreamReader::BitstreamReader(ByteSource& source) : source_(source) {}

int32_t BitstreamReader::read_exact(uint8_t* buffer, int32_t count) {
    while (filled_ < count) {
        const int32_t result = source_.read(buffer + filled_, static_cast<uint32_t>(count - filled_));
        if (result < 0) return result;
        if (result == 0) return ZK_ERROR_INPUT_END;
        filled_ += std::min(result, count - filled_);
    }
    filled_ = 0;
    return count;
}

int32_t BitstreamReader::sync_search() {
    for (;;) {
        if (!window_full_) {
            const int32_t result = read_exact(window_bytes_, 4);
            if (result < 0) return result;
            window_ = big_endian_word(window_bytes_);
            window_full_ = true;
        }
        while (!has_sync(window_)) {
            uint8_t byte = 0;
            const int32_t result = read_exact(&byte, 1);
            if (result < 0) return result;
            window_ = (window_ << 8) | byte;
        }
        // A rejected candidate is skipped as a whole: the next one starts
        // with the 4 bytes after it.
        window_full_ = false;
        FrameHeader candidate;
        if (decode_frame_header(window_, candidate)) {
            header_ = candidate;
            return 0;
        }
    }
}

int32_t BitstreamReader::read_frame_buffer(int32_t count) {
    count = std::clamp(count, 0, kFrameBufferBytes);
    // An interrupted read may leave bytes in the words it covers.
    zero_from_ = std::max(zero_from_, (count + 3) / 4);
    const int32_t result = read_exact(reinterpret_cast<uint8_t*>(words_), count);
    if (result < 0) return result;
    finish_frame_buffer(count);
    return 0;
}

// The first count bytes of the frame buffer hold data in stream order: clear
// everything after them and turn the data into words.
void BitstreamReader::finish_frame_buffer(int32_t count) {
    const int32_t words = (count + 3) / 4;
    auto* bytes = reinterpret_cast<uint8_t*>(words_);
    std::memset(bytes + count, 0, static_cast<size_t>(words * 4 - count));
    if (words < zero_from_) std::memset(words_ + words, 0, static_cast<size_t>(zero_from_ - words) * sizeof(uint32_t));
    zero_from_ = words;
    if constexpr (std::endian::native == std::endian::little) {
        for (int32_t i = 0; i < words; ++i) words_[i] = __builtin_bswap32(words_[i]);
    }
    data_bytes_ = count;
    reset_cursor();
}

int32_t BitstreamReader::read_main_data() {
    const int32_t main_bytes = std::max(0, header_.frame_length() - 4 - header_.side_info_length());
    main_start_ = write_position_;
    const int32_t first = std::min(main_bytes, static_cast<int32_t>(kReservoirBytes - write_position_));
    const int32_t result = read_exact(reservoir_ + write_position_, first);
    if (result < 0) return result;
    write_position_ = (write_position_ + static_cast<uint32_t>(first)) & kReservoirMask;
    frame_main_bytes_ = main_bytes;
    wrap_rest_ = main_bytes - first;
    return 0;
}

int32_t BitstreamReader::read_main_data_wrapped() {
    const int32_t result = read_exact(reservoir_ + write_position_, wrap_rest_);
    if (result < 0) return result;
    write_position_ = (write_position_ + static_cast<uint32_t>(wrap_rest_)) & kReservoirMask;
    wrap_rest_ = 0;
    available_before_ = available_;
    available_ = std::min(available_ + frame_main_bytes_, kReservoirBytes);
    return 0;
}

// True when the 4 bytes after the frame let it stand: a valid header (kept
// as the look-ahead) or the start of an ID3v1 tag.
bool BitstreamReader::check_successor(const uint8_t bytes[4]) {
    const uint32_t word = big_endian_word(bytes);
    lookahead_present_ = has_sync(word) && decode_frame_header(word, lookahead_);
    return lookahead_present_ || is_tag_start(bytes);
}

int32_t BitstreamReader::fetch_frame() {
    for (;;) {
        int32_t result = 0;
        switch (stage_) {
        case Stage::NeedHeader:
            if (lookahead_present_) {
                header_ = lookahead_;
                lookahead_present_ = false;
            } else if ((result = sync_search()) < 0) {
                return result;
            }
            stage_ = Stage::NeedBody;
            break;

        case Stage::NeedBody:
            if (header_.layer() == 3) {
                if ((result = read_frame_buffer(header_.side_info_length())) < 0) return result;
                stage_ = Stage::MainData;
            } else {
                if ((result = read_frame_buffer(header_.frame_length() - 4)) < 0) return result;
                stage_ = Stage::CheckSuccessor;
            }
            break;

        case Stage::MainData:
            if ((result = read_main_data()) < 0) return result;
            stage_ = Stage::MainDataWrapped;
            break;

        case Stage::MainDataWrapped:
            if ((result = read_main_data_wrapped()) < 0) return result;
            stage_ = Stage::CheckSuccessor;
            break;

        case Stage::CheckSuccessor: {
            result = read_exact(successor_bytes_, 4);
            if (result < 0 && result != ZK_ERROR_INPUT_END) return result; // retried by the next call
            stage_ = Stage::NeedHeader;
            bool accepted = true;
            if (result == ZK_ERROR_INPUT_END) {
                // The last frame of the input needs no successor.
                filled_ = 0;
                lookahead_present_ = false;
            } else {
                accepted = check_successor(successor_bytes_);
            }
            if (accepted) {
                reset_cursor();
                if (header_.protection == 0) read_bits(16); // the CRC is not verified
                return 0;
            }
            // A dropped layer III frame breaks the chain of main data: later
            // frames must not reach back across it.
            if (header_.layer() == 3) available_ = 0;
            break;
        }
        }
    }
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
    auto* bytes = reinterpret_cast<uint8_t*>(words_);
    zero_from_ = std::max(zero_from_, (count + 3) / 4);
    std::memcpy(bytes, reservoir_ + start, static_cast<size_t>(first));
    std::memcpy(bytes + first, reservoir_, static_cast<size_t>(count - first));
    finish_frame_buffer(count);
    return true;
}

void BitstreamReader::reset_reservoir() {
    main_start_ = 0;
    write_position_ = 0;
    available_ = 0;
    available_before_ = 0;
    frame_main_bytes_ = 0;
    wrap_rest_ = 0;
    lookahead_present_ = false;
}

void BitstreamReader::reset_all() {
    reset_cursor();
    reset_reservoir();
    stage_ = Stage::NeedHeader;
    filled_ = 0;
    window_full_ = false;
}

bool probe_frame_header(const uint8_t bytes[4], ZK_StreamInfo& info, int32_t& bytes_per_second) {
    FrameHeader header;
    if (bytes[0] != 0xFF || bytes[1] < 0xE0 || !decode_frame_header(big_endian_word(bytes), header)) return false;
    set_stream_info(header, info);
    bytes_per_second = header.bitrate_kbps() * 1000 / 8;
    return true;
}

} // namespace zk
