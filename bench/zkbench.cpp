// zkbench: decodes files from memory through the engine's public interface,
// the decode loop alone, and reports CPU time per run.
//
//   zkbench [-r RUNS] FILE...
//
// Each file is read into memory once and decoded through the memory input
// ("size@address"): once with a checksum of the PCM, then RUNS times timed
// (-r 0: the first decode alone is timed, for callgrind). One line per
// file: name, audio seconds,
// median CPU seconds of a run, audio seconds per CPU second, frames and
// invalid frames, a checksum of the PCM (equal checksums: equal output), and
// the median CPU seconds of opening the input (the frame index scan).
#include "zelkor.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct RunResult {
    double audio_seconds = 0;
    double open_cpu_seconds = 0;
    double cpu_seconds = 0;
    long frames = 0;
    long invalid_frames = 0;
    uint64_t checksum = 0;
    bool ok = false;
};

double cpu_now() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// FNV-1a over the 16-bit samples.
uint64_t add_to_checksum(uint64_t hash, const void* data, size_t bytes) {
    const auto* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < bytes; ++i) hash = (hash ^ p[i]) * 0x100000001b3ull;
    return hash;
}

RunResult decode_once(const std::vector<uint8_t>& data, bool checksum) {
    RunResult run;
    ZK_Decoder* decoder = nullptr;
    if (decoder_new(&decoder) != 0) return run;
    ZK_InputModule module{};
    memory_input_module_register(&module);
    decoder_input_module_register(decoder, &module);
    char name[64];
    std::snprintf(name, sizeof name, "%zx@%p", data.size(), static_cast<const void*>(data.data()));
    int32_t status = decoder_input_new(decoder, name, -1);
    const double open_start = cpu_now();
    if (status == 0) status = decoder_input_open(decoder);
    run.open_cpu_seconds = cpu_now() - open_start;
    if (status != 0) {
        std::fprintf(stderr, "zkbench: cannot open the input (%d)\n", status);
        decoder_delete(decoder);
        return run;
    }
    alignas(32) static int16_t pcm[2304];
    run.checksum = 0xcbf29ce484222325ull;
    const double start = cpu_now();
    for (;;) {
        status = decoder_decode(decoder, pcm);
        if (status == ZK_ERROR_INVALID_FRAME) {
            ++run.invalid_frames;
            continue;
        }
        if (status != 0) break;
        const ZK_PcmBuffer& out = *decoder->output_buffer;
        ++run.frames;
        run.audio_seconds += double(out.size / 2 / (out.stereo ? 2 : 1)) / out.sample_rate;
        if (checksum) run.checksum = add_to_checksum(run.checksum, out.samples, size_t(out.size));
    }
    run.cpu_seconds = cpu_now() - start;
    run.ok = status == ZK_ERROR_INPUT_END;
    decoder_delete(decoder);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    int runs = 5;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-r") == 0 && i + 1 < argc)
            runs = std::max(0, std::atoi(argv[++i]));
        else
            files.emplace_back(argv[i]);
    }
    if (files.empty()) {
        std::fputs("usage: zkbench [-r RUNS] FILE...\n", stderr);
        return 2;
    }
    int failures = 0;
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "zkbench: cannot read %s\n", file.c_str());
            ++failures;
            continue;
        }
        // The first run also sums the PCM; only the timed runs count.
        const RunResult first = decode_once(data, true);
        if (!first.ok) {
            std::fprintf(stderr, "zkbench: %s did not decode to its end\n", file.c_str());
            ++failures;
            continue;
        }
        std::vector<double> times, open_times;
        for (int r = 0; r < runs; ++r) {
            const RunResult run = decode_once(data, false);
            times.push_back(run.cpu_seconds);
            open_times.push_back(run.open_cpu_seconds);
        }
        if (times.empty()) {
            times.push_back(first.cpu_seconds);
            open_times.push_back(first.open_cpu_seconds);
        }
        std::sort(times.begin(), times.end());
        std::sort(open_times.begin(), open_times.end());
        const double median = times[times.size() / 2];
        std::printf("%s %.3f %.6f %.1f %ld %ld %016llx %.6f\n", file.c_str(), first.audio_seconds, median,
                    median > 0 ? first.audio_seconds / median : 0.0, first.frames, first.invalid_frames,
                    static_cast<unsigned long long>(first.checksum), open_times[open_times.size() / 2]);
    }
    return failures ? 1 : 0;
}
