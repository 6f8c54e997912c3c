#include "output/file/audio_file_format.h"

#include <bit>
#include <cstring>

namespace zk::file_output {

namespace {

constexpr uint32_t kWavHeaderSize = 44;
constexpr uint32_t kAiffHeaderSize = 54;
constexpr uint32_t kSunHeaderSize = 28; // with the shortest annotation, four zero bytes

uint32_t saturated_sum(uint32_t a, uint32_t b) { return a > UINT32_MAX - b ? UINT32_MAX : a + b; }

class HeaderWriter {
public:
    explicit HeaderWriter(uint8_t* out) : out_(out) {}

    void text(const char (&four)[5]) { bytes(four, 4); }
    void le16(uint32_t v) { put(v, 2, false); }
    void le32(uint32_t v) { put(v, 4, false); }
    void be16(uint32_t v) { put(v, 2, true); }
    void be32(uint32_t v) { put(v, 4, true); }
    // IEEE 754 80-bit extended, as AIFF stores its sample rate.
    void extended(uint32_t value) {
        if (value == 0) {
            bytes("\0\0\0\0\0\0\0\0\0\0", 10);
            return;
        }
        const int shift = std::countl_zero(uint64_t(value));
        be16(16383 + 63 - shift);
        const uint64_t mantissa = uint64_t(value) << shift;
        be32(static_cast<uint32_t>(mantissa >> 32));
        be32(static_cast<uint32_t>(mantissa));
    }
    size_t length() const { return length_; }

private:
    void bytes(const char* data, size_t count) {
        std::memcpy(out_ + length_, data, count);
        length_ += count;
    }
    void put(uint32_t v, int count, bool big_endian) {
        for (int i = 0; i < count; ++i)
            out_[length_ + i] = static_cast<uint8_t>(v >> 8 * (big_endian ? count - 1 - i : i));
        length_ += count;
    }

    uint8_t* out_;
    size_t length_ = 0;
};

size_t wav_header(const SampleFormat& f, uint32_t data, uint8_t* out) {
    const uint32_t block = f.channels * f.bytes_per_sample;
    HeaderWriter w(out);
    w.text("RIFF");
    w.le32(saturated_sum(data, kWavHeaderSize - 8));
    w.text("WAVE");
    w.text("fmt ");
    w.le32(16);
    w.le16(1);
    w.le16(f.channels);
    w.le32(f.sample_rate);
    w.le32(f.sample_rate * block);
    w.le16(block);
    w.le16(f.bytes_per_sample * 8);
    w.text("data");
    w.le32(data);
    return w.length();
}

size_t aiff_header(const SampleFormat& f, uint32_t data, uint8_t* out) {
    const uint32_t block = f.channels * f.bytes_per_sample;
    const uint32_t padded = data == kUnknownDataSize ? data : saturated_sum(data, data & 1);
    HeaderWriter w(out);
    w.text("FORM");
    w.be32(saturated_sum(padded, kAiffHeaderSize - 8));
    w.text("AIFF");
    w.text("COMM");
    w.be32(18);
    w.be16(f.channels);
    w.be32(data / block);
    w.be16(f.bytes_per_sample * 8);
    w.extended(f.sample_rate);
    w.text("SSND");
    w.be32(saturated_sum(data, 8));
    w.be32(0); // offset
    w.be32(0); // block size
    return w.length();
}

size_t sun_header(const SampleFormat& f, uint32_t data, uint8_t* out) {
    HeaderWriter w(out);
    w.text(".snd");
    w.be32(kSunHeaderSize);
    w.be32(data);
    w.be32(f.bytes_per_sample == 2 ? 3 : 2); // 16-bit or 8-bit linear PCM
    w.be32(f.sample_rate);
    w.be32(f.channels);
    w.be32(0); // annotation
    return w.length();
}

} // namespace

OutputTarget parse_output_name(const std::string& name) {
    static const struct {
        const char* prefix;
        Container container;
    } prefixes[] = {
        {"raw:", Container::Raw}, {"wav:", Container::Wav}, {"aiff:", Container::Aiff}, {"sun:", Container::Sun}};
    for (const auto& p : prefixes)
        if (name.rfind(p.prefix, 0) == 0) return {p.container, name.substr(std::strlen(p.prefix))};
    return {Container::Raw, name};
}

size_t build_header(Container container, const SampleFormat& format, uint32_t data_size,
                    uint8_t (&header)[kMaxHeaderSize]) {
    switch (container) {
    case Container::Wav: return wav_header(format, data_size, header);
    case Container::Aiff: return aiff_header(format, data_size, header);
    case Container::Sun: return sun_header(format, data_size, header);
    case Container::Raw: break;
    }
    return 0;
}

void encode_samples(Container container, uint32_t bytes_per_sample, const uint8_t* in, uint8_t* out, size_t bytes) {
    const bool big_endian = container == Container::Aiff || container == Container::Sun;
    if (bytes_per_sample == 1) {
        const uint8_t flip = big_endian ? 0x80 : 0x00; // unsigned to signed
        for (size_t i = 0; i < bytes; ++i) out[i] = in[i] ^ flip;
        return;
    }
    if (big_endian == (std::endian::native == std::endian::big)) {
        std::memcpy(out, in, bytes);
        return;
    }
    for (size_t i = 0; i + 1 < bytes; i += 2) {
        out[i] = in[i + 1];
        out[i + 1] = in[i];
    }
}

} // namespace zk::file_output
