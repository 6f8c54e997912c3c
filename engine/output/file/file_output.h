// One instance of the file output: a raw, WAV, AIFF or Sun audio file, or
// standard output. The header goes out with the first samples and is
// rewritten with the final sizes at close, where the file began, when the
// output can be rewound. Opening the instance again continues its file; a
// change of sample format ends a file with a header (the samples of the new
// format are refused and reported).
#pragma once

#include "output/file/audio_file_format.h"
#include "zelkor.h"

#include <string>
#include <sys/types.h>

namespace zk::file_output {

class FileOutput {
public:
    FileOutput(std::string name, int32_t module_id, ZK_Decoder* decoder);
    ~FileOutput();
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    int32_t open();
    int32_t close();
    // Bytes accepted, or an error; every byte is written or the write fails.
    int32_t write(const void* samples, uint32_t count, int32_t sample_size, int32_t stereo, int32_t sample_rate);
    // Nothing is queued: a drain only tells whether every sample since open
    // reached the file. Levels, mute and ports are refused.
    int32_t set_control(uint32_t request) const;

    // The requests a file takes; the sample format comes with each write.
    static constexpr uint32_t kRequests = ZK_OUTPUT_REQUEST_SAMPLE_SIZE | ZK_OUTPUT_REQUEST_STEREO |
                                          ZK_OUTPUT_REQUEST_SAMPLE_RATE | ZK_OUTPUT_REQUEST_RESET |
                                          ZK_OUTPUT_REQUEST_PAUSE | ZK_OUTPUT_REQUEST_RESUME | ZK_OUTPUT_REQUEST_DRAIN;

private:
    static constexpr size_t kChunkBytes = 4608;

    int32_t write_header();
    // Writes every byte; false (with the error reported) otherwise.
    bool write_all(const void* data, size_t size);
    // Reports the first failed write of an open as a debug line and an error.
    void report_write_failure(int error);
    int32_t rewrite_header();
    int32_t open_file();
    bool same_format(int32_t sample_size, int32_t stereo, int32_t sample_rate) const;
    void report_format_change(int32_t stereo, int32_t sample_rate);

    std::string name_;
    int32_t module_id_;
    ZK_Decoder* decoder_;
    OutputTarget target_;
    SampleFormat format_;
    int fd_ = -1;
    bool opened_before_ = false;
    bool header_written_ = false;
    bool write_failed_ = false;
    bool samples_lost_ = false; // since open: a failed write or a refused format
    bool format_change_reported_ = false;
    bool rewindable_ = false; // seekable, not appending: the header can be rewritten
    off_t start_ = 0;         // where the file began on its descriptor
    size_t header_bytes_ = 0;
    uint32_t data_bytes_ = 0; // saturates at 4 GiB - 1
    uint8_t chunk_[kChunkBytes];
};

} // namespace zk::file_output
