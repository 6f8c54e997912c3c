#include "output/file/file_output.h"

#include "decoder/debug_report.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zk::file_output {

FileOutput::FileOutput(std::string name, int32_t module_id, ZK_Decoder* decoder)
    : name_(std::move(name)), module_id_(module_id), decoder_(decoder) {}

FileOutput::~FileOutput() {
    if (fd_ >= 0) close();
}

int32_t FileOutput::open() {
    write_failed_ = false;
    samples_lost_ = false;
    if (!opened_before_) {
        data_bytes_ = 0;
        header_written_ = false;
        format_ = SampleFormat{};
        target_ = parse_output_name(name_);
    }
    const int32_t result = open_file();
    if (result != ZK_OK) return result;
    if (!opened_before_) {
        start_ = ::lseek(fd_, 0, SEEK_CUR);
        rewindable_ = start_ >= 0 && !(::fcntl(fd_, F_GETFL) & O_APPEND);
    } else if (rewindable_ && !target_.is_standard_output()) {
        // Reopened: the samples continue after those written before.
        const off_t end = start_ + static_cast<off_t>(header_bytes_) + static_cast<off_t>(data_bytes_);
        if (::lseek(fd_, end, SEEK_SET) != end) {
            ::close(fd_);
            fd_ = -1;
            return ZK_ERROR_OPEN_FAILED;
        }
    }
    opened_before_ = true;
    return ZK_OK;
}

// The descriptor: standard output, the file started over, or (reopened) the
// file as it was left.
int32_t FileOutput::open_file() {
    if (target_.is_standard_output()) {
        fd_ = STDOUT_FILENO;
        return ZK_OK;
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (opened_before_ ? 0 : O_TRUNC);
    fd_ = ::open(target_.path.c_str(), flags, 0666);
    if (fd_ >= 0) return ZK_OK;
    const int error = errno;
    if (error == EACCES || error == EPERM || error == EROFS) {
        report_debug(decoder_, 0, "cannot open output file", "permission denied", module_id_);
        return ZK_ERROR_PERMISSION_DENIED;
    }
    report_debug(decoder_, 0, "cannot open output file", std::strerror(error), module_id_);
    return ZK_ERROR_OPEN_FAILED;
}

void FileOutput::report_write_failure(int error) {
    const char* detail = std::strerror(error);
    report_debug(decoder_, 0, "cannot write output file", detail, module_id_);
    // The recording is lost from here on: clients that hide debug reports
    // must learn it too.
    if (decoder_ && decoder_->error)
        decoder_->error(decoder_->client, module_id_, ZK_ERROR_WRITE_FAILED, "cannot write output file", detail);
}

bool FileOutput::write_all(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            // Once per open: a full disk fails every frame that follows.
            if (!write_failed_) report_write_failure(written < 0 ? errno : ENOSPC);
            write_failed_ = true;
            samples_lost_ = true;
            return false;
        }
        bytes += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

int32_t FileOutput::write_header() {
    uint8_t header[kMaxHeaderSize];
    // A stream that cannot be rewound never learns its final size.
    header_bytes_ = build_header(target_.container, format_, rewindable_ ? data_bytes_ : kUnknownDataSize, header);
    header_written_ = true;
    return write_all(header, header_bytes_) ? ZK_OK : ZK_ERROR_WRITE_FAILED;
}

bool FileOutput::same_format(int32_t sample_size, int32_t stereo, int32_t sample_rate) const {
    return format_.bytes_per_sample == static_cast<uint32_t>(sample_size) && format_.channels == (stereo ? 2u : 1u) &&
           format_.sample_rate == static_cast<uint32_t>(sample_rate);
}

void FileOutput::report_format_change(int32_t stereo, int32_t sample_rate) {
    if (format_change_reported_) return;
    format_change_reported_ = true;
    char detail[128];
    std::snprintf(detail, sizeof detail, "%d Hz %s after %u Hz %s; the file ends before it", sample_rate,
                  stereo ? "stereo" : "mono", format_.sample_rate, format_.channels == 2 ? "stereo" : "mono");
    report_debug(decoder_, 0, "sample format changed", detail, module_id_);
    if (decoder_ && decoder_->error)
        decoder_->error(decoder_->client, module_id_, ZK_ERROR_WRITE_FAILED, "sample format changed", detail);
}

int32_t FileOutput::write(const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
                          int32_t sample_rate) {
    if (fd_ < 0) return ZK_ERROR_INTERNAL;
    if (!header_written_) {
        if ((sample_size != 1 && sample_size != 2) || sample_rate <= 0) return ZK_ERROR_INVALID_PARAMETERS;
        format_.bytes_per_sample = static_cast<uint32_t>(sample_size);
        format_.channels = stereo ? 2 : 1;
        format_.sample_rate = static_cast<uint32_t>(sample_rate);
        if (const int32_t result = write_header(); result != ZK_OK) return result;
    } else if (target_.container != Container::Raw && !same_format(sample_size, stereo, sample_rate)) {
        // The header describes every sample of the file.
        report_format_change(stereo, sample_rate);
        samples_lost_ = true;
        return ZK_ERROR_WRITE_FAILED;
    }
    if (count > INT32_MAX) return ZK_ERROR_INVALID_PARAMETERS;
    const auto* in = static_cast<const uint8_t*>(samples);
    for (uint32_t done = 0; done < count;) {
        const size_t chunk = std::min<size_t>(kChunkBytes, count - done);
        encode_samples(target_.container, format_.bytes_per_sample, in + done, chunk_, chunk);
        if (!write_all(chunk_, chunk)) return ZK_ERROR_WRITE_FAILED;
        done += static_cast<uint32_t>(chunk);
    }
    data_bytes_ = data_bytes_ > UINT32_MAX - count ? UINT32_MAX : data_bytes_ + count;
    return static_cast<int32_t>(count);
}

int32_t FileOutput::set_control(uint32_t request) const {
    if (request & ~kRequests) return ZK_ERROR_INVALID_PARAMETERS;
    if ((request & ZK_OUTPUT_REQUEST_DRAIN) && samples_lost_) return ZK_ERROR_WRITE_FAILED;
    return ZK_OK;
}

int32_t FileOutput::rewrite_header() {
    if (!header_written_) return write_header(); // closed without samples: a header all the same
    if (target_.container == Container::Raw || !rewindable_) return ZK_OK;
    uint8_t header[kMaxHeaderSize];
    const size_t size = build_header(target_.container, format_, data_bytes_, header);
    const off_t data_end = start_ + static_cast<off_t>(header_bytes_) + static_cast<off_t>(data_bytes_);
    // Chunks of AIFF are padded to an even length.
    if (target_.container == Container::Aiff && (data_bytes_ & 1) && ::pwrite(fd_, "", 1, data_end) != 1)
        return ZK_ERROR_WRITE_FAILED;
    if (::pwrite(fd_, header, size, start_) != static_cast<ssize_t>(size)) return ZK_ERROR_WRITE_FAILED;
    return ZK_OK;
}

int32_t FileOutput::close() {
    if (fd_ < 0) return ZK_OK;
    int32_t result = rewrite_header();
    if (!target_.is_standard_output() && ::close(fd_) != 0 && result == ZK_OK) {
        report_debug(decoder_, 0, "cannot close output file", std::strerror(errno), module_id_);
        result = ZK_ERROR_CLOSE_FAILED;
    }
    fd_ = -1;
    return result;
}

} // namespace zk::file_output
