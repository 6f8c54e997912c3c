#include "output/output_layer.h"

#include "decoder/debug_report.h"
#include "decoder/decoder_hooks.h"

namespace zk {

OutputLayer::OutputLayer(ZK_Decoder* decoder, ZK_OutputInfo& info, int32_t& module_count)
    : decoder_(decoder), info_(info), endpoint_(decoder, info, module_count) {
    info_.module = -1;
    info_.caps = ZK_OUTPUT_CAPS_INITIAL;
}

int32_t OutputLayer::create(const char* name, int32_t module_id) {
    const int32_t result = endpoint_.create(name, module_id, [this] { close(); });
    info_.attached = info_.instance ? 1 : 0;
    return result;
}

void OutputLayer::destroy() {
    endpoint_.destroy([this] { close(); });
    info_.attached = 0;
}

int32_t OutputLayer::open() {
    int32_t result = endpoint_.check_can_open();
    if (result != ZK_OK) return result;
    const ZK_OutputNext& chain = endpoint_.head();
    result = chain.open(chain.context);
    if (result < 0) return result;
    forget_pcm_format(decoder_);
    info_.caps = chain.get_caps(chain.context);
    info_.state = 1;
    return ZK_OK;
}

int32_t OutputLayer::close() {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    info_.caps = 0;
    info_.state = 0;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.close(chain.context);
}

int32_t OutputLayer::write(const void* samples, uint32_t count, int32_t sample_size, int32_t stereo,
                           int32_t sample_rate) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    if (!samples && count) return ZK_ERROR_INVALID_PARAMETERS;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.write(chain.context, samples, count, sample_size, stereo, sample_rate);
}

int32_t OutputLayer::set_control(const ZK_OutputControl* control, uint32_t request) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.set_control(chain.context, control, request);
}

int32_t OutputLayer::get_control(ZK_OutputControl* control, uint32_t request) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    if (!control) {
        report_internal_error(decoder_, "null control block");
        return ZK_ERROR_INTERNAL;
    }
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.get_control(chain.context, control, request);
}

int32_t OutputLayer::send_message(int32_t type, const void* data, uint32_t size) {
    const int32_t result = endpoint_.check_open();
    if (result != ZK_OK) return result;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.send_message(chain.context, type, data, size);
}

void* OutputLayer::lend_buffer(uint32_t count) {
    if (info_.state != 1) return nullptr;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.get_buffer(chain.context, count);
}

int32_t OutputLayer::queued_bytes(uint32_t* queued) {
    if (info_.state != 1) return ZK_ERROR_INTERNAL;
    const ZK_OutputNext& chain = endpoint_.head();
    return chain.get_status(chain.context, queued);
}

} // namespace zk
