#include "decoder/decoder_private.h"

#include <cstdint>

namespace {

zk::Environment* environment_of(ZK_Decoder* decoder) { return decoder ? &decoder->private_data->environment : nullptr; }

} // namespace

extern "C" {

ZK_API int32_t decoder_set_environment_integer(ZK_Decoder* decoder, const char* name, int32_t value) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->set_integer(name, value) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_set_environment_string(ZK_Decoder* decoder, const char* name, const char* text) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->set_string(name, text) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_get_environment_integer(ZK_Decoder* decoder, const char* name, int32_t* value) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->get_integer(name, value) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_get_environment_string(ZK_Decoder* decoder, const char* name, char* buffer) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->get_string(name, buffer, SIZE_MAX) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_get_environment_string_sized(ZK_Decoder* decoder, const char* name, char* buffer, size_t size) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->get_string(name, buffer, size) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_unset_environment(ZK_Decoder* decoder, const char* name) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->unset(name) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_add_environment_listener(ZK_Decoder* decoder, const char* name, void* client,
                                                ZK_EnvironmentCallback callback, ZK_EnvironmentListener** handle) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->add_listener(name, client, callback, handle) : ZK_ERROR_INVALID_PARAMETERS;
}

ZK_API int32_t decoder_remove_environment_listener(ZK_Decoder* decoder, ZK_EnvironmentListener* handle) {
    zk::Environment* environment = environment_of(decoder);
    return environment ? environment->remove_listener(handle) : ZK_ERROR_INVALID_PARAMETERS;
}

} // extern "C"
