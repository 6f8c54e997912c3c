// What the file output writes: the container chosen by the name's prefix,
// its header, and the byte layout of its samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zk::file_output {

enum class Container { Raw, Wav, Aiff, Sun };

// "raw:", "wav:", "aiff:" or "sun:" and the file name after it; a name
// without one of these prefixes is a raw file under the whole name. The file
// name "-" is standard output.
struct OutputTarget {
    Container container = Container::Raw;
    std::string path;

    bool is_standard_output() const { return path == "-"; }
};
OutputTarget parse_output_name(const std::string& name);

struct SampleFormat {
    uint32_t sample_rate = 44100;
    uint32_t channels = 2;
    uint32_t bytes_per_sample = 2; // 2: signed 16-bit; 1: 8-bit
};

// Sizes in headers of outputs that cannot be rewound, whose length is not known.
constexpr uint32_t kUnknownDataSize = 0xFFFFFFFFu;

constexpr size_t kMaxHeaderSize = 54;

// Writes the container's header for data_size bytes of samples (sizes that
// would overflow their fields saturate); returns its length, 0 for raw.
size_t build_header(Container container, const SampleFormat& format, uint32_t data_size,
                    uint8_t (&header)[kMaxHeaderSize]);

// Converts bytes of samples as the decoder makes them (native signed 16-bit,
// or unsigned 8-bit) into the container's layout: little-endian 16-bit and
// unsigned 8-bit for raw and WAV, big-endian 16-bit and signed 8-bit for
// AIFF and Sun.
void encode_samples(Container container, uint32_t bytes_per_sample, const uint8_t* in, uint8_t* out, size_t bytes);

} // namespace zk::file_output
