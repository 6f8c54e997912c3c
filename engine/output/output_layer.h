// The decoder's output: module registry, the chosen module behind its filter
// chain, open/close, writing, controls and messages, and the buffer lending
// and queue status the decode step uses.
#pragma once

#include "output/output_chain.h"
#include "zelkor.h"

namespace zk {

class OutputLayer {
public:
    OutputLayer(ZK_Decoder* decoder, ZK_OutputInfo& info, int32_t& module_count);

    OutputEndpoint& endpoint() { return endpoint_; }

    int32_t create(const char* name, int32_t module_id);
    void destroy();
    int32_t open();
    int32_t close();
    int32_t write(const void* samples, uint32_t count, int32_t sample_size, int32_t stereo, int32_t sample_rate);
    int32_t set_control(const ZK_OutputControl* control, uint32_t request);
    int32_t get_control(ZK_OutputControl* control, uint32_t request);
    int32_t send_message(int32_t type, const void* data, uint32_t size);

    // Memory of count bytes lent by the chain for the next frame, or null.
    void* lend_buffer(uint32_t count);
    // Bytes queued in the chain but not yet played.
    int32_t queued_bytes(uint32_t* queued);

private:
    ZK_Decoder* decoder_;
    ZK_OutputInfo& info_;
    OutputEndpoint endpoint_;
};

} // namespace zk
