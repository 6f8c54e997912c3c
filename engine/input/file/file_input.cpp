// Input from a file, or from standard input for the name "-".
#include "decoder/debug_report.h"
#include "decoder/module_info.h"
#include "zelkor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads go through a block buffer: one system call per 64 KiB of a file
// rather than a few per frame. What a pipe has ready is taken as it comes.
constexpr uint32_t kBlockBytes = 65536;

struct FileInput {
    std::string name;
    int32_t module_id = 0;
    ZK_Decoder* decoder = nullptr;
    int fd = -1;
    bool regular = false;     // a regular file: seekable, with a size
    uint32_t block_start = 0; // unread bytes of block: [block_start, block_end)
    uint32_t block_end = 0;
    uint8_t block[kBlockBytes];

    bool is_standard_input() const { return name == "-"; }
    void drop_block() { block_start = block_end = 0; }
};

const zk::DeviceEntry devices[] = {{"*", "any file name", 1}, {"-", "standard input", 0}};

int32_t probe(const char*) { return 0; }

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    return zk::answer_query(info, what, "Input From File", "Version 1.2", devices);
}

int32_t new_instance(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder) {
    if (!instance || !name || !*name) {
        zk::report_internal_error(decoder, "null params or null/empty input name");
        return ZK_ERROR_INVALID_PARAMETERS;
    }
    auto* input = new (std::nothrow) FileInput;
    if (!input) return ZK_ERROR_OUT_OF_MEMORY;
    try {
        input->name = name;
    } catch (const std::bad_alloc&) {
        delete input;
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    input->module_id = module_id;
    input->decoder = decoder;
    *instance = input;
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<FileInput*>(instance);
    return ZK_OK;
}

int32_t open_failure(FileInput& input, int error) {
    const char* detail = std::strerror(error);
    int32_t code = ZK_ERROR_OPEN_FAILED;
    if (error == ENOENT) {
        detail = "file not found";
        code = ZK_ERROR_NO_SUCH_FILE;
    } else if (error == EACCES || error == EPERM) {
        detail = "permission denied";
        code = ZK_ERROR_PERMISSION_DENIED;
    }
    zk::report_debug(input.decoder, 0, "cannot open input file", detail, input.module_id);
    return code;
}

int32_t open(void* instance) {
    auto& input = *static_cast<FileInput*>(instance);
    if (input.is_standard_input()) {
        input.fd = STDIN_FILENO;
        input.regular = false;
        input.drop_block();
        return ZK_OK;
    }
    // Non-blocking only while opening: a named pipe without a writer must not
    // hold the open up.
    const int fd = ::open(input.name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return open_failure(input, errno);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    struct stat info {};
    if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
        ::close(fd);
        return open_failure(input, error);
    }
    input.fd = fd;
    input.regular = S_ISREG(info.st_mode);
    input.drop_block();
    return ZK_OK;
}

int32_t close(void* instance) {
    auto& input = *static_cast<FileInput*>(instance);
    int32_t result = ZK_OK;
    if (input.fd >= 0 && !input.is_standard_input() && ::close(input.fd) != 0) result = ZK_ERROR_CLOSE_FAILED;
    input.fd = -1;
    input.drop_block();
    return result;
}

// Refills the empty block: the bytes read, 0 at the end of the file, or an error.
int32_t fill_block(FileInput& input) {
    for (;;) {
        const ssize_t got = ::read(input.fd, input.block, kBlockBytes);
        if (got >= 0) {
            input.block_start = 0;
            input.block_end = static_cast<uint32_t>(got);
            return static_cast<int32_t>(got);
        }
        if (errno == EINTR) continue;
        zk::report_debug(input.decoder, 0, "cannot read input file", std::strerror(errno), input.module_id);
        return ZK_ERROR_READ_FAILED;
    }
}

// Exactly count bytes, or 0 when the file ends first.
int32_t read(void* instance, void* buffer, uint32_t count) {
    auto& input = *static_cast<FileInput*>(instance);
    auto* out = static_cast<uint8_t*>(buffer);
    uint32_t done = 0;
    while (done < count) {
        if (input.block_start == input.block_end) {
            const int32_t filled = fill_block(input);
            if (filled <= 0) return filled;
        }
        const uint32_t take = std::min(count - done, input.block_end - input.block_start);
        std::memcpy(out + done, input.block + input.block_start, take);
        input.block_start += take;
        done += take;
    }
    return static_cast<int32_t>(count);
}

int32_t seek(void* instance, uint32_t offset) {
    auto& input = *static_cast<FileInput*>(instance);
    if (::lseek(input.fd, static_cast<off_t>(offset), SEEK_SET) < 0) return ZK_FAILURE;
    input.drop_block();
    return ZK_OK;
}

uint32_t get_caps(void* instance) { return static_cast<FileInput*>(instance)->regular ? ZK_INPUT_CAN_SEEK : 0; }

// Files beyond 4 GiB - 1 count as unknown size.
uint32_t get_size(void* instance) {
    auto& input = *static_cast<FileInput*>(instance);
    struct stat info {};
    if (!input.regular || fstat(input.fd, &info) != 0 || info.st_size > 0xFFFFFFFF) return 0;
    return static_cast<uint32_t>(info.st_size);
}

int32_t send_message(void*, int32_t, const void*, uint32_t) { return ZK_OK; }

} // namespace

extern "C" ZK_API int32_t file_input_module_register(ZK_InputModule* module) {
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_InputModule{probe, query, new_instance, delete_instance, open,        close,
                             read,  seek,  get_caps,     get_size,        send_message};
    return ZK_OK;
}
