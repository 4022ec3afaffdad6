/* JPEG encoding for the tool's own pictures (see jpeg_writer.h). */
#include "jpeg_writer.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include "jpeglib.h"

struct TJumpError {
  struct jpeg_error_mgr Manager;
  jmp_buf Back;
};

static void JumpBack(j_common_ptr info) { longjmp(((struct TJumpError*)info->err)->Back, 1); }

unsigned char* LumekoEncodeJpeg(const unsigned char* rgb, int width, int height, int quality, size_t* size) {
  struct jpeg_compress_struct info;
  struct TJumpError error;
  unsigned char* volatile out = NULL;
  unsigned long volatile outSize = 0;
  *size = 0;
  if (!rgb || width <= 0 || height <= 0) return NULL;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JumpBack;
  if (setjmp(error.Back)) {
    jpeg_destroy_compress(&info);
    free(out);
    return NULL;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, (unsigned char**)&out, (unsigned long*)&outSize);
  info.image_width = (JDIMENSION)width;
  info.image_height = (JDIMENSION)height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = (JSAMPROW)(rgb + (size_t)info.next_scanline * (size_t)width * 3);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  *size = outSize;
  return out;
}
