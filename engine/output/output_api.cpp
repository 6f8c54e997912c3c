// Exports of the output layer.
#include "decoder/decoder_private.h"

namespace {

zk::OutputLayer* layer_of(ZK_Decoder* decoder) { return decoder ? &decoder->private_data->output : nullptr; }

} // namespace

extern "C" {

ZK_API int32_t decoder_output_module_register(ZK_Decoder* decoder, const ZK_OutputModule* module) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->endpoint().register_module(module) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_module_query(ZK_Decoder* decoder, int32_t module_id, ZK_ModuleInfo* info, int32_t what) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->endpoint().query(module_id, info, what) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_new(ZK_Decoder* decoder, const char* name, int32_t module_id) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->create(name, module_id) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_delete(ZK_Decoder* decoder) {
    zk::OutputLayer* output = layer_of(decoder);
    if (!output) return ZK_ERROR_INVALID_PARAMETERS;
    output->destroy();
    return ZK_OK;
}

ZK_API int32_t decoder_output_open(ZK_Decoder* decoder) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->open() : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_close(ZK_Decoder* decoder) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->close() : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_write(ZK_Decoder* decoder, const void* samples, uint32_t count, int32_t sample_size,
                                    int32_t stereo, int32_t sample_rate) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->write(samples, count, sample_size, stereo, sample_rate) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_set_control(ZK_Decoder* decoder, const ZK_OutputControl* control, uint32_t request) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->set_control(control, request) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_get_control(ZK_Decoder* decoder, ZK_OutputControl* control, uint32_t request) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->get_control(control, request) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_send_message(ZK_Decoder* decoder, int32_t type, const void* data, uint32_t size) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->send_message(type, data, size) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_add_filter(ZK_Decoder* decoder, const ZK_OutputFilter* filter, int32_t where) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->endpoint().chain().add(decoder, filter, where) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_remove_filter(ZK_Decoder* decoder, const char* name, int32_t id) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->endpoint().chain().remove(name, id) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_output_filters_list(ZK_Decoder* decoder, void* client, ZK_FilterListCallback callback) {
    zk::OutputLayer* output = layer_of(decoder);
    return output ? output->endpoint().chain().list(client, callback) : ZK_ERROR_INVALID_PARAMETERS;
}

} // extern "C"
