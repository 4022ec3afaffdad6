/* JPEG decoding into 24-bit DIB rows, as a plain C function.
 *
 * libjpeg reports errors by calling a function that must not return; here it
 * jumps back with longjmp into this C function, so no C++ frame is ever
 * unwound and exit() is never called. Warnings (truncated or corrupt data)
 * count as failures: a damaged picture gives no picture at all. */
#ifndef LUMEKO_RENDER_JPEG_DECODE_H
#define LUMEKO_RENDER_JPEG_DECODE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Decodes data into a malloc'ed buffer of top-down B G R rows, each padded to
 * a multiple of 4 bytes (*stride). Refuses pictures wider or taller than
 * max_side or with more than max_bytes of decoded rows. Returns the buffer
 * (free() it) or NULL on any failure. */
unsigned char* LumekoDecodeJpeg(const unsigned char* data, size_t size, int max_side,
                                unsigned long long max_bytes, int* width, int* height,
                                size_t* stride);

#ifdef __cplusplus
}
#endif

#endif
