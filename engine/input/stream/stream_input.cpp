// The network stream input module: a URL opened by its scheme, received into
// a ring that is prebuffered to a high mark and refilled while it is read.
// A stream whose server sends byte ranges seeks by asking again from the
// offset; the old connection plays on until the new one has answered.
#include "decoder/module_info.h"
#include "input/stream/stream_open.h"
#include "input/stream/stream_ring.h"
#include "zelkor.h"

#include <chrono>
#include <cstring>
#include <new>
#include <string>
#include <strings.h>

namespace zk::stream {

namespace {

struct StreamInput {
    std::string name;
    ZK_Decoder* decoder = nullptr;
    StreamTrace trace;
    StreamSettings settings;
    StreamRing ring;
    uint32_t threshold = 0;
    bool underflow = true;
    uint32_t accumulated = 0;
    bool end_of_stream = false;
    int32_t fault = 0; // what ended the stream when it did not end in order; read once
    std::chrono::steady_clock::time_point last_arrival;
    StreamExtent extent;
    bool connected = false;
    StreamConnection connection;
};

const DeviceEntry devices[] = {{"http://*, https://*, ftp://*, udp://*", "streaming url", 1}};

int32_t probe(const char* name) {
    if (!name) return 1;
    for (const char* scheme : {"http://", "https://", "ftp://", "udp://"})
        if (strncasecmp(name, scheme, std::strlen(scheme)) == 0) return 0;
    return 1;
}

int32_t query(ZK_ModuleInfo* info, int32_t what) {
    return answer_query(info, what, "Network Streaming Module", "Version 1.4", devices);
}

int32_t new_instance(void** instance, const char* name, int32_t module_id, ZK_Decoder* decoder) {
    if (!instance || !name || !*name) {
        report_internal_error(decoder, "null params or null/empty output name");
        return ZK_ERROR_INVALID_PARAMETERS;
    }
    StreamSettings settings;
    if (read_stream_settings(decoder, settings) != 0) {
        report_debug(decoder, 0, "invalid stream buffer settings", "INPUT.STREAM.*", module_id);
        return ZK_ERROR_INVALID_PARAMETERS;
    }
    auto* input = new (std::nothrow) StreamInput;
    if (!input) return ZK_ERROR_OUT_OF_MEMORY;
    try {
        input->name = name;
    } catch (const std::bad_alloc&) {
        delete input;
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    const auto block_size = static_cast<uint32_t>(settings.buffer_size);
    if (!input->ring.allocate(block_size, static_cast<uint32_t>(settings.max_packet))) {
        delete input;
        return ZK_ERROR_OUT_OF_MEMORY;
    }
    input->decoder = decoder;
    input->trace = StreamTrace{decoder, module_id};
    input->settings = settings;
    *instance = input;
    return ZK_OK;
}

int32_t delete_instance(void* instance) {
    delete static_cast<StreamInput*>(instance);
    return ZK_OK;
}

// Connects to the input's URL for the data from byte `from` on.
int32_t connect(StreamInput& input, uint32_t from, StreamConnection& connection, StreamExtent& extent) {
    try {
        StreamUrl url;
        int32_t result = parse_stream_url(input.name, url);
        if (result != 0) return result;
        input.trace.progress(ZK_PROGRESS_CONNECTING, 0, "connecting");
        const OpenContext context{read_proxy_settings(input.decoder), StreamLimits{}, input.trace};
        result = open_stream(url, context, connection, extent, from);
        if (result != 0) connection.close();
        return result;
    } catch (const std::bad_alloc&) {
        connection.close();
        return ZK_ERROR_OUT_OF_MEMORY;
    }
}

// The ring starts empty and prebuffers again.
void start_receiving(StreamInput& input) {
    input.ring.clear();
    input.accumulated = 0;
    input.threshold = static_cast<uint32_t>(input.settings.high_mark);
    input.underflow = true;
    input.end_of_stream = false;
    input.fault = 0;
    input.last_arrival = std::chrono::steady_clock::now();
}

int32_t open(void* instance) {
    auto& input = *static_cast<StreamInput*>(instance);
    input.connection.close();
    input.connected = false;
    start_receiving(input);
    input.extent = StreamExtent{};
    const int32_t result = connect(input, 0, input.connection, input.extent);
    if (result != 0) {
        input.extent = StreamExtent{};
        return result;
    }
    input.trace.progress(ZK_PROGRESS_CONNECTED, 0, "connected");
    input.connected = true;
    input.last_arrival = std::chrono::steady_clock::now();
    return ZK_OK;
}

int32_t close(void* instance) {
    auto& input = *static_cast<StreamInput*>(instance);
    if (!input.connected) return ZK_ERROR_INTERNAL;
    input.connection.close();
    input.connected = false;
    return ZK_OK;
}

// Ends the stream: in order at the server's end, otherwise with an error
// report and the fault for the read that meets the end.
void end_stream(StreamInput& input, int32_t result) {
    input.end_of_stream = true;
    if (result != ZK_ERROR_SOCKET_CLOSED) {
        input.fault = result;
        const char* reason = result == ZK_ERROR_STREAM_STALLED ? "no data within the stall time" : "";
        input.trace.debug(0, "stream ended by an error", zelkor_error_string(result));
        input.trace.error(result, zelkor_error_string(result), reason);
    }
    input.trace.progress(ZK_PROGRESS_END_OF_STREAM, 0, "reached end of stream");
}

// Receives what the connection has into the ring, waiting at most limit_ms.
void refill(StreamInput& input, int limit_ms) {
    if (input.end_of_stream) return;
    const auto now = std::chrono::steady_clock::now();
    if (input.ring.free_space() < static_cast<uint32_t>(input.settings.max_packet)) {
        input.last_arrival = now; // a full ring waits for nothing
        return;
    }
    uint32_t room = 0;
    uint8_t* area = input.ring.write_area(room);
    const int32_t got = input.connection.data->receive_within(area, room, limit_ms);
    if (got > 0) {
        input.ring.commit(static_cast<uint32_t>(got));
        input.last_arrival = std::chrono::steady_clock::now();
    } else if (got != ZK_ERROR_TIMEOUT) {
        end_stream(input, got);
    } else if (std::chrono::steady_clock::now() - input.last_arrival >=
               std::chrono::milliseconds(input.settings.stall_timeout)) {
        end_stream(input, ZK_ERROR_STREAM_STALLED);
    }
}

// The result of a read that finds the stream ended: its fault once, then the end.
int32_t ended(StreamInput& input) {
    const int32_t fault = input.fault;
    input.fault = 0;
    return fault != 0 ? fault : ZK_ERROR_INPUT_END;
}

int32_t read(void* instance, void* buffer, uint32_t count) {
    auto& input = *static_cast<StreamInput*>(instance);
    if (!input.connected) return ZK_ERROR_INTERNAL;
    if (count > static_cast<uint32_t>(input.settings.fillable())) return ZK_ERROR_INVALID_PARAMETERS;
    const uint32_t high_mark = static_cast<uint32_t>(input.settings.high_mark);
    if (input.ring.buffered() < input.threshold || input.ring.buffered() < count) {
        if (!input.underflow) {
            input.underflow = true;
            input.threshold = high_mark;
            input.trace.progress(ZK_PROGRESS_BUFFER_UNDERFLOW, 0, "buffer underflow");
        }
        if (!input.end_of_stream) {
            refill(input, input.settings.read_timeout);
            if (input.ring.buffered() < input.threshold) {
                const uint64_t filled = high_mark ? uint64_t{input.ring.buffered()} * 100 / high_mark : 100;
                input.trace.progress(ZK_PROGRESS_BUFFER_FILLING, static_cast<int32_t>(filled), nullptr);
                return ZK_ERROR_TIMEOUT;
            }
        }
        if (input.ring.buffered() < count) return input.end_of_stream ? ended(input) : ZK_ERROR_TIMEOUT;
        input.ring.take(buffer, count);
        return static_cast<int32_t>(count);
    }
    if (input.underflow) {
        input.underflow = false;
        input.threshold = 0;
        input.trace.progress(ZK_PROGRESS_BUFFER_REFILLED, 0, "buffer refilled");
    }
    input.ring.take(buffer, count);
    if (input.accumulated > static_cast<uint32_t>(input.settings.max_accu) ||
        input.ring.buffered() < static_cast<uint32_t>(input.settings.force_fill_zone)) {
        refill(input, 0);
        input.accumulated = 0;
    } else {
        input.accumulated += count;
    }
    return static_cast<int32_t>(count);
}

bool can_seek(const StreamInput& input) { return input.extent.byte_ranges && input.extent.size > 0; }

int32_t seek(void* instance, uint32_t offset) {
    auto& input = *static_cast<StreamInput*>(instance);
    if (!input.connected) return ZK_ERROR_INTERNAL;
    if (!can_seek(input)) return ZK_FAILURE;
    if (offset >= input.extent.size) {
        // Nothing to ask for: the stream is at its end.
        input.connection.close();
        start_receiving(input);
        input.end_of_stream = true;
        return ZK_OK;
    }
    StreamConnection fresh;
    StreamExtent extent;
    const int32_t result = connect(input, offset, fresh, extent);
    if (result != 0) return result;
    if (extent.start != offset || extent.size != input.extent.size) {
        input.trace.debug(0, "server did not send the range asked for", std::to_string(offset));
        return ZK_FAILURE;
    }
    input.connection = std::move(fresh);
    start_receiving(input);
    input.trace.progress(ZK_PROGRESS_CONNECTED, 0, "connected");
    return ZK_OK;
}

uint32_t get_caps(void* instance) {
    return can_seek(*static_cast<StreamInput*>(instance)) ? ZK_INPUT_CAN_SEEK_BY_REOPEN : 0;
}

uint32_t get_size(void* instance) { return static_cast<StreamInput*>(instance)->extent.size; }

} // namespace

} // namespace zk::stream

extern "C" ZK_API int32_t stream_input_module_register(ZK_InputModule* module) {
    using namespace zk::stream;
    if (!module) return ZK_ERROR_INVALID_PARAMETERS;
    *module = ZK_InputModule{probe, query, new_instance, delete_instance, open,   close,
                             read,  seek,  get_caps,     get_size,        nullptr};
    return ZK_OK;
}
