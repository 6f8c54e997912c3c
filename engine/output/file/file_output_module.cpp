// The file output module: raw, WAV, AIFF and Sun audio files, and standard
// output. It writes the samples as they come and lends no buffers.
#include "decoder/debug_report.h"
#include "decoder/module_info.h"
#include "output/file/file_output.h"
#include "zelkor.h"

#include <new>

namespace {

using zk::file_output::FileOutput;

const zk::DeviceEntry devices[] = {{"*, or raw:*", "file name (raw PCM format)", 1},
                                   {"wav:*", "file name (WAV format)", 1},
                                   {"-", "standard output", 0}};

FileOutput& output_of(void* instance) { return *static_cast<FileOutput*>(instance); }

int32_t probe(const char*) { return 0; }

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    return zk::answer_query(info, what, "Output To File", "Version 1.2", devices);
}

int32_t new_instance(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder) {
    if (!instance || !name || !*name) {
        zk::report_internal_error(decoder, "null params or null/empty output name");
        return ZK_ERROR_INVALID_PARAMETERS;
    }
    try {
        *instance = new FileOutput(name, module_id, decoder);
    } catch (const std::bad_alloc&) {
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<FileOutput*>(instance);
    return ZK_OK;
}

int32_t open(void* instance) { return output_of(instance).open(); }
int32_t close(void* instance) { return output_of(instance).close(); }

int32_t write(void* instance, const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
              int32_t sample_rate) {
    return output_of(instance).write(samples, count, sample_size, stereo, sample_rate);
}

int32_t set_control(void* instance, const ZK_OutputControl*, uint32_t request) {
    return output_of(instance).set_control(request);
}

// Files take the decoder's 16-bit samples as they are.
uint32_t get_caps(void*) { return ZK_OUTPUT_CAP_PCM16 | FileOutput::kRequests; }

} // namespace

extern "C" ZK_API int32_t file_output_module_register(ZK_OutputModule* module) {
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_OutputModule{probe,   query,       new_instance, delete_instance, open,     close,  write,
                              nullptr, set_control, nullptr,      nullptr,         get_caps, nullptr};
    return ZK_OK;
}
