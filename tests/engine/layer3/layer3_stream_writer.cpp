#include "engine/layer3/layer3_stream_writer.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace zk::test {

namespace {

class BitWriter {
public:
    void put(uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i)
            put_bit((value >> i) & 1);
    }
    void put_code(const std::string& code) {
        for (char c : code)
            put_bit(c == '1');
    }
    size_t bits() const { return bits_; }
    std::vector<uint8_t> bytes(size_t size) const {
        std::vector<uint8_t> out = bytes_;
        out.resize(size, 0);
        return out;
    }
    void append(const BitWriter& other) {
        for (size_t i = 0; i < other.bits_; ++i)
            put_bit((other.bytes_[i / 8] >> (7 - i % 8)) & 1);
    }

private:
    void put_bit(bool bit) {
        if (bits_ % 8 == 0)
            bytes_.push_back(0);
        if (bit)
            bytes_.back() |= static_cast<uint8_t>(0x80 >> (bits_ % 8));
        ++bits_;
    }
    std::vector<uint8_t> bytes_;
    size_t bits_ = 0;
};

// Scalefactors then big-value pairs of one granule and channel.
BitWriter main_data(const HuffmanCodeBook& book, const ChannelData& data, int& big_values) {
    BitWriter out;
    for (const auto& [value, bits] : data.scalefactors)
        out.put(static_cast<uint32_t>(value), bits);
    size_t lines = data.values.size();
    while (lines > 0 && data.values[lines - 1] == 0)
        --lines;
    big_values = static_cast<int>((lines + 1) / 2);
    const int linbits = book.linbits(data.table);
    for (int pair = 0; pair < big_values; ++pair) {
        int v[2];
        for (int k = 0; k < 2; ++k) {
            const size_t line = 2 * static_cast<size_t>(pair) + k;
            v[k] = line < data.values.size() ? data.values[line] : 0;
        }
        const int x = std::abs(v[0]), y = std::abs(v[1]);
        const int cx = linbits ? std::min(x, 15) : x, cy = linbits ? std::min(y, 15) : y;
        if (cx > 15 || cy > 15)
            throw std::invalid_argument("value too large for the table");
        out.put_code(book.code(data.table, static_cast<unsigned>(cx << 4 | cy)));
        for (int k = 0; k < 2; ++k) {
            const int magnitude = k == 0 ? x : y;
            if (linbits && magnitude >= 15)
                out.put(static_cast<uint32_t>(magnitude - 15), linbits);
            if (magnitude != 0)
                out.put(v[k] < 0 ? 1 : 0, 1);
        }
    }
    return out;
}

} // namespace

std::vector<uint8_t> write_layer3_stream(const HuffmanCodeBook& book, const std::vector<FrameData>& frames) {
    std::vector<uint8_t> stream;
    for (const FrameData& frame : frames) {
        const int channels = frame.mode == 3 ? 1 : 2;
        const int granules = frame.mpeg1 ? 2 : 1;
        // 320 kbit/s at 44100 Hz, or 160 kbit/s at 22050 Hz; no padding.
        const size_t length = frame.mpeg1 ? 1044 : 522;
        BitWriter header;
        header.put(frame.mpeg1 ? 0xFFFB : 0xFFF3, 16);
        header.put(14, 4); // bitrate index
        header.put(0, 2);  // sampling frequency index
        header.put(0, 2);  // padding, private
        header.put(static_cast<uint32_t>(frame.mode), 2);
        header.put(static_cast<uint32_t>(frame.mode_extension), 2);
        header.put(0, 4);

        BitWriter side;
        BitWriter data;
        side.put(static_cast<uint32_t>(frame.main_data_begin), frame.mpeg1 ? 9 : 8);
        side.put(0, frame.mpeg1 ? (channels == 1 ? 5 : 3) : (channels == 1 ? 1 : 2));
        if (frame.mpeg1)
            side.put(0, 4 * channels); // scfsi
        for (int gr = 0; gr < granules; ++gr)
            for (int ch = 0; ch < channels; ++ch) {
                const ChannelData& c = frame.channel[gr][ch];
                int big_values = 0;
                const BitWriter bits = main_data(book, c, big_values);
                if (c.big_values_override >= 0)
                    big_values = c.big_values_override;
                side.put(static_cast<uint32_t>(bits.bits()), 12);
                side.put(static_cast<uint32_t>(big_values), 9);
                side.put(static_cast<uint32_t>(c.global_gain), 8);
                side.put(static_cast<uint32_t>(c.scalefac_compress), frame.mpeg1 ? 4 : 9);
                side.put(0, 1); // no window switching
                for (int region = 0; region < 3; ++region)
                    side.put(static_cast<uint32_t>(c.table), 5);
                side.put(15, 4); // region0_count
                side.put(7, 3);  // region1_count
                if (frame.mpeg1)
                    side.put(0, 1); // preflag
                side.put(static_cast<uint32_t>(c.scalefac_scale), 1);
                side.put(0, 1); // count1 table
                data.append(bits);
            }
        BitWriter whole = header;
        whole.append(side);
        whole.append(data);
        if (whole.bits() > length * 8)
            throw std::invalid_argument("frame data does not fit");
        const std::vector<uint8_t> bytes = whole.bytes(length);
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    return stream;
}

std::vector<std::pair<int, int>> mpeg1_scalefactors(int slen1, int slen2, const std::vector<int>& bands) {
    std::vector<std::pair<int, int>> fields;
    for (int band = 0; band < 21; ++band)
        fields.emplace_back(bands.at(static_cast<size_t>(band)), band < 11 ? slen1 : slen2);
    return fields;
}

TemporaryStream::TemporaryStream(const std::vector<uint8_t>& bytes) {
    std::string pattern = (std::filesystem::temp_directory_path() / "layer3-test-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file");
    path_ = pattern;
    const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    if (!written)
        throw std::runtime_error("cannot write the temporary file");
}

TemporaryStream::~TemporaryStream() { std::remove(path_.c_str()); }

} // namespace zk::test
