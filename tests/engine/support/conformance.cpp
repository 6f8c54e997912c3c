#include "engine/support/conformance.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

namespace zk::test {

namespace {

int to_int(const std::string& field, int fallback) {
    if (field.empty()) return fallback;
    if (field == "I") return 1;
    if (field == "II") return 2;
    if (field == "III") return 3;
    if (field == "per-frame") return 0;
    return std::atoi(field.c_str());
}

std::vector<std::string> split_csv(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field);
    return fields;
}

} // namespace

std::string ConformanceStream::bitstream_path() const { return conformance_dir() + "/" + file; }

std::string ConformanceStream::reference_path() const {
    std::string path = bitstream_path();
    return path.substr(0, path.size() - 4) + ".pcm";
}

std::string ConformanceStream::test_name() const {
    std::string name = file.substr(file.find('/') + 1);
    name.resize(name.size() - 4);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

void PrintTo(const ConformanceStream& stream, std::ostream* out) { *out << stream.file; }

std::string conformance_dir() { return TAERIN_CONFORMANCE_DIR; }

std::vector<ConformanceStream> conformance_streams() {
    std::vector<ConformanceStream> streams;
    const std::string dir = conformance_dir();
    std::ifstream manifest(dir + "/manifest.csv");
    std::string line;
    while (std::getline(manifest, line)) {
        if (line.empty() || line[0] == '#' || line.rfind("file,", 0) == 0) continue;
        std::vector<std::string> f = split_csv(line);
        f.resize(14);
        ConformanceStream s;
        s.file = f[0];
        s.layer = to_int(f[1], 0);
        s.mpeg = to_int(f[2], 0);
        s.sample_rate = to_int(f[3], 0);
        s.ref_channels = to_int(f[4], 0);
        s.samples_per_frame = to_int(f[5], 0);
        s.stream_frames = to_int(f[6], 0);
        s.complete_frames = to_int(f[7], 0);
        s.ref_first_stream_frame = to_int(f[9], -1);
        s.ref_frames = to_int(f[10], 0);
        s.compare_from = to_int(f[11], -1);
        streams.push_back(s);
    }
    return streams;
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<int16_t> read_pcm16le(const std::string& path) {
    std::vector<uint8_t> bytes = read_file(path);
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return samples;
}

namespace {

DecodedStream decode_input(const std::string& name, ZK_InputModuleRegister register_module, int channels) {
    DecodedStream result;
    ZK_Decoder* decoder = nullptr;
    if (decoder_new(&decoder) != 0) {
        result.end_result = ZK_ERROR_OUT_OF_MEMORY;
        return result;
    }
    ZK_InputModule module{};
    register_module(&module);
    decoder_input_module_register(decoder, &module);
    decoder->output->channels = channels;
    result.end_result = decoder_input_new(decoder, name.c_str(), -1);
    if (result.end_result == 0) result.end_result = decoder_input_open(decoder);
    while (result.end_result == 0 || result.end_result == ZK_ERROR_INVALID_FRAME) {
        int32_t status = decoder_decode(decoder, nullptr);
        if (status == ZK_ERROR_INVALID_FRAME) {
            ++result.invalid_frames;
            continue;
        }
        result.end_result = status;
        if (status != 0) break;
        const ZK_PcmBuffer& pcm = *decoder->output_buffer;
        const int16_t* samples = static_cast<const int16_t*>(pcm.samples);
        DecodedFrame frame;
        frame.samples.assign(samples, samples + pcm.size / 2);
        frame.stereo = pcm.stereo;
        frame.sample_rate = pcm.sample_rate;
        result.frames.push_back(std::move(frame));
    }
    decoder_delete(decoder);
    return result;
}

} // namespace

DecodedStream decode_file(const std::string& path, int channels) {
    return decode_input(path, file_input_module_register, channels);
}

DecodedStream decode_bytes(const std::vector<uint8_t>& bytes, int channels) {
    char name[64];
    std::snprintf(name, sizeof name, "%zx@%p", bytes.size(), static_cast<const void*>(bytes.data()));
    return decode_input(name, memory_input_module_register, channels);
}

PcmComparison compare_pcm(const int16_t* decoded, const int16_t* reference, size_t count) {
    PcmComparison c;
    c.samples = count;
    double sum = 0;
    for (size_t i = 0; i < count; ++i) {
        int d = std::abs(int(decoded[i]) - int(reference[i]));
        sum += double(d) * d;
        if (d > c.max_difference) c.max_difference = d;
    }
    c.rms = count ? std::sqrt(sum / count) : 0;
    return c;
}

} // namespace zk::test
