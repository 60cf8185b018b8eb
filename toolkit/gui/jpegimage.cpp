#include "toolkit/gui/jpegimage.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

#include "toolkit/exception.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<ErrorManager*>(info->err);
  info->err->format_message(info, error->message);
  std::longjmp(error->jump, 1);
}

// Warnings (a picture cut short, say) decode what there is, as the class library does.
void IgnoreMessage(j_common_ptr) {}

}  // namespace

void TJPEGImage::LoadFromMemory(const void* data, size_t size) {
  // Everything with a destructor lives before setjmp, so the jump back skips none.
  QImage image;
  jpeg_decompress_struct info;
  ErrorManager error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = ErrorExit;
  error.manager.output_message = IgnoreMessage;
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    throw Exception(std::string("JPEG error: ") + error.message);
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // Straight into Qt's 32-bit layout: blue, green, red, unused.
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  image = QImage(info.output_width, info.output_height, QImage::Format_RGB32);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(info.output_scanline);
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image_ = image;
}
