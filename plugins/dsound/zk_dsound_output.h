/*
 * zk_dsound_output.h - the looping-buffer output plug-in of the Zelkor engine.
 *
 * Register it with a player by name ("dsound_output_module_register@" and the
 * library's file name), or fill a module record directly and pass it to
 * decoder_output_module_register. Output names: "" or "/dev/dsound/N".
 * The environment integer "OUTPUT.DIRECTSOUND.WINDOW" must be set (non-zero)
 * before an output is created; "OUTPUT.DIRECTSOUND.PITCH" sets the playback
 * pitch in thousandths of the stream's rate.
 */
#ifndef ZK_DSOUND_OUTPUT_H
#define ZK_DSOUND_OUTPUT_H

#include "zelkor.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Fills the module record; 0, or -101 for a null record. */
ZK_API int32_t dsound_output_module_register(ZK_OutputModule* module);

#ifdef __cplusplus
}
#endif

#endif /* ZK_DSOUND_OUTPUT_H */
