/* JPEG encoding of 24-bit pixels into memory, as a plain C function.
 *
 * The tool makes its own test pictures with it. libjpeg's errors jump back
 * with longjmp inside this C function, so no C++ frame is ever unwound and
 * exit() is never called. */
#ifndef LUMEKO_TOOL_JPEG_WRITER_H
#define LUMEKO_TOOL_JPEG_WRITER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Encodes width x height top-down R G B pixels (3 bytes each, rows not
 * padded) at the given quality. Returns a malloc'ed buffer (free() it) of
 * *size bytes, or NULL on any failure. */
unsigned char* LumekoEncodeJpeg(const unsigned char* rgb, int width, int height, int quality, size_t* size);

#ifdef __cplusplus
}
#endif

#endif
