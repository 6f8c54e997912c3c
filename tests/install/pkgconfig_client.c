/* A program of another project built against an installed engine: decodes a
 * file and prints its frames, PCM bytes, rate and channels. */
#include <stdio.h>
#include <zelkor.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: client FILE\n");
        return 2;
    }
    ZK_Decoder* decoder = NULL;
    ZK_InputModule module;
    if (decoder_new(&decoder) != 0 || file_input_module_register(&module) != 0 ||
        decoder_input_module_register(decoder, &module) < 0 || decoder_input_new(decoder, argv[1], -1) < 0 ||
        decoder_input_open(decoder) != 0) {
        fprintf(stderr, "client: cannot open %s\n", argv[1]);
        return 1;
    }
    long frames = 0, bytes = 0;
    int32_t result;
    while ((result = decoder_decode(decoder, NULL)) == 0 || result == -600) {
        if (result == 0) {
            ++frames;
            bytes += decoder->output_buffer->size;
        }
    }
    printf("frames=%ld bytes=%ld rate=%d stereo=%d end=%d\n", frames, bytes, (int)decoder->output_buffer->sample_rate,
           (int)decoder->output_buffer->stereo, (int)result);
    decoder_delete(decoder);
    return result == -513 ? 0 : 1;
}
