// Conformance streams, whole-stream decoding through the public interface,
// and PCM comparison by the ISO accuracy criteria.
#pragma once

#include "zelkor.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace zk::test {

// One row of the conformance manifest.
struct ConformanceStream {
    std::string file; // relative to the conformance folder, e.g. "layer1/l1-fl1.bit"
    int layer = 0;    // 1, 2, 3
    int mpeg = 0;     // 1 or 2
    int sample_rate = 0;
    int ref_channels = 0; // 1, 2, or 0 for per-frame channel counts
    int samples_per_frame = 0;
    int stream_frames = 0;
    int complete_frames = 0;
    int ref_first_stream_frame = -1; // -1 when not given (free format)
    int ref_frames = 0;
    int compare_from = -1; // -1 when not given

    std::string bitstream_path() const;
    std::string reference_path() const; // the .pcm beside the stream
    std::string test_name() const;      // "l3_he_mode" for "layer3/l3-he_mode.bit"
};
// Test output names the stream instead of dumping its bytes.
void PrintTo(const ConformanceStream& stream, std::ostream* out);

// The conformance folder, or empty when it is absent on this machine.
std::string conformance_dir();
// The manifest's rows (empty when the folder is absent).
std::vector<ConformanceStream> conformance_streams();

std::vector<uint8_t> read_file(const std::string& path);
std::vector<int16_t> read_pcm16le(const std::string& path);

// Every frame decoded from a file with decoder_decode.
struct DecodedFrame {
    std::vector<int16_t> samples; // interleaved when stereo
    int stereo = 0;
    int sample_rate = 0;
};
struct DecodedStream {
    std::vector<DecodedFrame> frames;
    int invalid_frames = 0; // results of -600
    int32_t end_result = 0; // the result that ended decoding (-513 normally)
};
DecodedStream decode_file(const std::string& path, int channels = ZK_OUTPUT_CHANNELS_STEREO);
// The same over bytes in memory (the memory input's "size@address").
DecodedStream decode_bytes(const std::vector<uint8_t>& bytes, int channels = ZK_OUTPUT_CHANNELS_STEREO);

// Accuracy of 16-bit output against a reference, in LSB.
struct PcmComparison {
    double rms = 0;
    int max_difference = 0;
    size_t samples = 0;
    // ISO 11172-4 full accuracy in 16-bit units: RMS < 2^-15/sqrt(12) of full
    // scale, no sample more than 2^-14 of full scale off.
    bool full_accuracy() const { return rms < 0.28867513 && max_difference <= 2; }
    bool limited_accuracy() const { return rms < 4.6188022; }
};
PcmComparison compare_pcm(const int16_t* decoded, const int16_t* reference, size_t count);

} // namespace zk::test
