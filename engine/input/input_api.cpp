// Exports of the input layer.
#include "decoder/decoder_private.h"

namespace {

zk::InputLayer* layer_of(ZK_Decoder* decoder) { return decoder ? &decoder->private_data->input : nullptr; }

} // namespace

extern "C" {

ZK_API int32_t decoder_input_module_register(ZK_Decoder* decoder, const ZK_InputModule* module) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->endpoint().register_module(module) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_module_query(ZK_Decoder* decoder, int32_t module_id, ZK_ModuleInfo* info, int32_t what) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->endpoint().query(module_id, info, what) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_new(ZK_Decoder* decoder, const char* name, int32_t module_id) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->create(name, module_id) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_delete(ZK_Decoder* decoder) {
    zk::InputLayer* input = layer_of(decoder);
    if (!input) return ZK_ERROR_INVALID_PARAMETERS;
    input->destroy();
    return ZK_OK;
}

ZK_API int32_t decoder_input_open(ZK_Decoder* decoder) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->open() : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_close(ZK_Decoder* decoder) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->close() : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_read(ZK_Decoder* decoder, void* buffer, uint32_t count) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->read(buffer, count) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_seek_to_offset(ZK_Decoder* decoder, uint32_t offset) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->seek_to_offset(offset) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_seek_to_position(ZK_Decoder* decoder, float position) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->seek_to_position(position) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_seek_to_time(ZK_Decoder* decoder, double seconds) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->seek_to_time(seconds) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_seek_to_timecode(ZK_Decoder* decoder, const ZK_Timecode* timecode) {
    zk::InputLayer* input = layer_of(decoder);
    if (!input || !timecode) return ZK_ERROR_INVALID_PARAMETERS;
    return input->seek_to_time(timecode->hours * 3600.0 + timecode->minutes * 60.0 + timecode->seconds +
                               timecode->hundredths * 0.01);
}

ZK_API int32_t decoder_input_send_message(ZK_Decoder* decoder, int32_t type, const void* data, uint32_t size) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->send_message(type, data, size) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_add_filter(ZK_Decoder* decoder, const ZK_InputFilter* filter, int32_t where) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->endpoint().chain().add(decoder, filter, where) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_remove_filter(ZK_Decoder* decoder, const char* name, int32_t id) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->endpoint().chain().remove(name, id) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_input_filters_list(ZK_Decoder* decoder, void* client, ZK_FilterListCallback callback) {
    zk::InputLayer* input = layer_of(decoder);
    return input ? input->endpoint().chain().list(client, callback) : ZK_ERROR_INVALID_PARAMETERS;
}

} // extern "C"
