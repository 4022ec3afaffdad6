/* JPEG decoding with a non-returning error manager (see jpeg_decode.h). */
#include "render/jpeg_decode.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include <jpeglib.h>

typedef struct {
  struct jpeg_error_mgr base;
  jmp_buf jump;
} LumekoJpegError;

static void LumekoJpegErrorExit(j_common_ptr cinfo) {
  LumekoJpegError* err = (LumekoJpegError*)cinfo->err;
  longjmp(err->jump, 1);
}

static void LumekoJpegEmit(j_common_ptr cinfo, int level) {
  /* level -1 is a warning: the data is damaged. */
  if (level < 0) {
    LumekoJpegError* err = (LumekoJpegError*)cinfo->err;
    longjmp(err->jump, 1);
  }
}

static void LumekoJpegQuiet(j_common_ptr cinfo) { (void)cinfo; }

/* Pictures saved with an Adobe marker (as print software saves them) store
 * CMYK inverted: 255 means no ink. */
static void CmykRowToBgr(const unsigned char* in, unsigned char* out, JDIMENSION width, int inverted) {
  JDIMENSION x;
  for (x = 0; x < width; ++x, in += 4, out += 3) {
    unsigned c = in[0], m = in[1], y = in[2], k = in[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    out[0] = (unsigned char)((y * k + 127) / 255);
    out[1] = (unsigned char)((m * k + 127) / 255);
    out[2] = (unsigned char)((c * k + 127) / 255);
  }
}

unsigned char* LumekoDecodeJpeg(const unsigned char* data, size_t size, int max_side,
                                unsigned long long max_bytes, int* width, int* height,
                                size_t* stride) {
  struct jpeg_decompress_struct cinfo;
  LumekoJpegError err;
  /* volatile: these change between setjmp and a possible longjmp. */
  unsigned char* volatile pixels = NULL;
  volatile int created = 0;

  if (!data || size == 0 || size > (unsigned long)-1) return NULL;
  cinfo.err = jpeg_std_error(&err.base);
  err.base.error_exit = LumekoJpegErrorExit;
  err.base.emit_message = LumekoJpegEmit;
  err.base.output_message = LumekoJpegQuiet;
  if (setjmp(err.jump)) {
    if (created) jpeg_destroy_decompress(&cinfo);
    free(pixels);
    return NULL;
  }
  jpeg_create_decompress(&cinfo);
  created = 1;
  cinfo.mem->max_memory_to_use = (long)(max_bytes > 0x7fffffffULL ? 0x7fffffffULL : max_bytes);
  jpeg_mem_src(&cinfo, data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || (int)cinfo.image_width > max_side ||
      (int)cinfo.image_height > max_side) {
    jpeg_destroy_decompress(&cinfo);
    return NULL;
  }
  {
    const size_t row = ((size_t)cinfo.image_width * 3 + 3) & ~(size_t)3;
    const unsigned long long total = (unsigned long long)row * cinfo.image_height;
    if (total > max_bytes) {
      jpeg_destroy_decompress(&cinfo);
      return NULL;
    }
    /* Four-channel pictures come out as CMYK and are turned into B G R row
     * by row; the others straight as B G R. */
    const int cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(&cinfo);
    pixels = (unsigned char*)malloc((size_t)total + (cmyk ? (size_t)cinfo.output_width * 4 : 0));
    if (!pixels) {
      jpeg_destroy_decompress(&cinfo);
      return NULL;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW rows[1];
      unsigned char* out = pixels + (size_t)cinfo.output_scanline * row;
      rows[0] = cmyk ? pixels + (size_t)total : out;
      jpeg_read_scanlines(&cinfo, rows, 1);
      if (cmyk) CmykRowToBgr(rows[0], out, cinfo.output_width, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    *width = (int)cinfo.image_width;
    *height = (int)cinfo.image_height;
    *stride = row;
    return pixels;
  }
}
