/* The public header from C: records, constants and a few exports. */
#include "zelkor.h"

#include <string.h>

#include "header_c.h"

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition)) return __LINE__;                                                                             \
    } while (0)

static int32_t count_listener(void* client, const char* name, const void* value) {
    (void)name;
    if (value) *(int*)client += *(const int32_t*)value;
    return 0;
}

int header_c_check(void) {
    ZK_Decoder* decoder = NULL;
    ZK_EnvironmentListener* listener = NULL;
    ZK_EqualizerInfo equalizer;
    int total = 0;
    int32_t value = 0;
    char text[16];

    CHECK(strcmp(zelkor_error_string(ZK_ERROR_INPUT_END), "input end") == 0);
    CHECK(zelkor_get_api_version(ZK_API_VERSION_SELECTOR_CONTROL) == 0x00030006u);
    CHECK(strcmp(decoder_version(NULL, NULL, NULL), "1.2.0") == 0);
    CHECK(sizeof(ZK_StreamInfo) == 6 * sizeof(int32_t));
    CHECK(sizeof(ZK_EqualizerInfo) == 64);

    CHECK(decoder_new(&decoder) == ZK_OK);
    CHECK(strcmp(decoder->name, "ZELKOR") == 0);
    CHECK(decoder->output->caps == ZK_OUTPUT_CAPS_INITIAL);
    CHECK(decoder->output_buffer->stereo == -1);
    CHECK(decoder->status->frame == 0);

    CHECK(decoder_add_environment_listener(decoder, "N", &total, count_listener, &listener) == ZK_OK);
    CHECK(decoder_set_environment_integer(decoder, "N", 40) == ZK_OK);
    CHECK(decoder->get_integer(decoder, "N", &value) == ZK_OK && value == 40);
    CHECK(decoder_set_environment_string(decoder, "S", "text") == ZK_OK);
    CHECK(decoder->get_string_sized(decoder, "S", text, sizeof text) == ZK_OK && strcmp(text, "text") == 0);
    CHECK(total == 40);
    CHECK(decoder_remove_environment_listener(decoder, listener) == ZK_OK);

    memset(&equalizer, 0, sizeof equalizer);
    equalizer.left[0] = 32;
    CHECK(decoder_codec_set_equalizer(decoder, &equalizer) == ZK_OK);
    memset(&equalizer, 0, sizeof equalizer);
    CHECK(decoder_codec_get_equalizer(decoder, &equalizer) == ZK_OK && equalizer.left[0] == 32);

    CHECK(decoder_decode(decoder, NULL) == ZK_ERROR_INTERNAL);
    CHECK(decoder_delete(decoder) == ZK_OK);
    return 0;
}
