/* JPEG decoding with a non-returning error manager (see jpeg_decode.h). */
#include "render/jpeg_decode.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>
#include <jerror.h>

typedef struct {
  struct jpeg_error_mgr base;
  jmp_buf jump;
} LumekoJpegError;

static void LumekoJpegErrorExit(j_common_ptr cinfo) {
  LumekoJpegError* err = (LumekoJpegError*)cinfo->err;
  longjmp(err->jump, 1);
}

/* level -1 is a warning; msg_code says which. */
static void LumekoJpegEmit(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
      longjmp(((LumekoJpegError*)cinfo->err)->jump, 1);
    default:
      break;
  }
}

static void LumekoJpegQuiet(j_common_ptr cinfo) { (void)cinfo; }

static void LumekoJpegErrors(LumekoJpegError* err) {
  jpeg_std_error(&err->base);
  err->base.error_exit = LumekoJpegErrorExit;
  err->base.emit_message = LumekoJpegEmit;
  err->base.output_message = LumekoJpegQuiet;
}

/* Pictures saved with an Adobe marker (as print software saves them) store
 * CMYK inverted: 255 means no ink. */
static void CmykRowToBgr(const unsigned char* in, unsigned char* out, int width, int inverted) {
  int x;
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

int LumekoJpegSize(const unsigned char* data, size_t size, int* width, int* height) {
  struct jpeg_decompress_struct cinfo;
  LumekoJpegError err;
  volatile int created = 0;

  if (!data || size == 0 || size > (unsigned long)-1) return 0;
  cinfo.err = &err.base;
  LumekoJpegErrors(&err);
  if (setjmp(err.jump)) {
    if (created) jpeg_destroy_decompress(&cinfo);
    return 0;
  }
  jpeg_create_decompress(&cinfo);
  created = 1;
  jpeg_mem_src(&cinfo, data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  *width = (int)cinfo.image_width;
  *height = (int)cinfo.image_height;
  jpeg_destroy_decompress(&cinfo);
  return *width > 0 && *height > 0;
}

int LumekoDecodeJpeg(const unsigned char* data, size_t size, int denom, int x, int y, int w, int h,
                     unsigned char* out, size_t stride, unsigned long long max_work_bytes) {
  struct jpeg_decompress_struct cinfo;
  LumekoJpegError err;
  /* volatile: these change between setjmp and a possible longjmp. */
  unsigned char* volatile row = NULL;
  volatile int created = 0;

  if (!data || size == 0 || size > (unsigned long)-1 || !out || x < 0 || y < 0 || w <= 0 || h <= 0) return 0;
  if (denom != 1 && denom != 2 && denom != 4 && denom != 8) return 0;
  cinfo.err = &err.base;
  LumekoJpegErrors(&err);
  if (setjmp(err.jump)) {
    if (created) jpeg_destroy_decompress(&cinfo);
    free(row);
    return 0;
  }
  jpeg_create_decompress(&cinfo);
  created = 1;
  cinfo.mem->max_memory_to_use = (long)(max_work_bytes > 0x7fffffffULL ? 0x7fffffffULL : max_work_bytes);
  jpeg_mem_src(&cinfo, data, (unsigned long)size);
  jpeg_read_header(&cinfo, TRUE);
  {
    /* Four-channel pictures come out as CMYK and are turned into B G R row
     * by row; the others straight as B G R. */
    const int cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    JDIMENSION first = (JDIMENSION)x, width = (JDIMENSION)w;
    int direct, r;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    cinfo.scale_num = 1;
    cinfo.scale_denom = (unsigned)denom;
    jpeg_start_decompress(&cinfo);
    if ((unsigned long long)x + (unsigned)w > cinfo.output_width ||
        (unsigned long long)y + (unsigned)h > cinfo.output_height)
      longjmp(err.jump, 1);
    /* Only the iMCU columns holding the part are decoded: the crop starts
     * at or before x. */
    if (width < cinfo.output_width) jpeg_crop_scanline(&cinfo, &first, &width);
    direct = !cmyk && first == (JDIMENSION)x && width == (JDIMENSION)w;
    row = (unsigned char*)malloc((size_t)width * (size_t)cinfo.output_components);
    if (!row) longjmp(err.jump, 1);
    if (y > 0) jpeg_skip_scanlines(&cinfo, (JDIMENSION)y);
    for (r = 0; r < h; ++r) {
      unsigned char* dst = out + (size_t)r * stride;
      JSAMPROW rows[1];
      rows[0] = direct ? dst : row;
      if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) longjmp(err.jump, 1);
      if (cmyk)
        CmykRowToBgr(row + (size_t)(x - (int)first) * 4, dst, w, cinfo.saw_Adobe_marker);
      else if (!direct)
        memcpy(dst, row + (size_t)(x - (int)first) * 3, (size_t)w * 3);
    }
    /* The rows below the part are read through too (without colour work),
     * so a file cut short refuses every part of its picture alike. Skipping
     * to the very end would not read them: the last row is read. */
    if (cinfo.output_height - cinfo.output_scanline > 1)
      jpeg_skip_scanlines(&cinfo, cinfo.output_height - cinfo.output_scanline - 1);
    if (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW rows[1];
      rows[0] = row;
      if (jpeg_read_scanlines(&cinfo, rows, 1) != 1) longjmp(err.jump, 1);
    }
    jpeg_finish_decompress(&cinfo);
  }
  jpeg_destroy_decompress(&cinfo);
  free(row);
  return 1;
}
