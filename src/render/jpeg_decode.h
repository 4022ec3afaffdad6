/* JPEG decoding into 24-bit DIB rows, as plain C functions.
 *
 * libjpeg reports errors by calling a function that must not return; here it
 * jumps back with longjmp into these C functions, so no C++ frame is ever
 * unwound and exit() is never called. Of libjpeg's warnings only those that
 * mean coded data is missing (the file ends early, a segment ends early, a
 * code is corrupt or a restart marker lost) refuse the picture: libjpeg
 * would fill the gap with grey. The others (junk between segments, an unknown
 * JFIF revision, a bad colour profile) leave every pixel exact. */
#ifndef LUMEKO_RENDER_JPEG_DECODE_H
#define LUMEKO_RENDER_JPEG_DECODE_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Reads the headers only: 1 and the picture's size, or 0. */
int LumekoJpegSize(const unsigned char* data, size_t size, int* width, int* height);

/* Decodes the part x, y, w × h of the picture scaled down by denom (1, 2, 4
 * or 8, by libjpeg's DCT scaling; the scaled picture is ceil(width / denom)
 * wide) into out: h rows of w B G R pixels, stride apart. The whole file is
 * read through, so a file cut short is refused whatever part is asked for.
 * libjpeg may use up to max_work_bytes of its own. 1 on success, 0 on any
 * failure (out then holds nothing usable). */
int LumekoDecodeJpeg(const unsigned char* data, size_t size, int denom, int x, int y, int w, int h,
                     unsigned char* out, size_t stride, unsigned long long max_work_bytes);

#ifdef __cplusplus
}
#endif

#endif
