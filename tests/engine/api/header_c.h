/* Runs the C checks of the public header; 0, or the line of the first failed check. */
#ifndef HEADER_C_H
#define HEADER_C_H

#ifdef __cplusplus
extern "C" {
#endif

int header_c_check(void);

#ifdef __cplusplus
}
#endif

#endif
