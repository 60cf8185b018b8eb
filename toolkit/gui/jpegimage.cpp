#include "toolkit/gui/jpegimage.h"

#include <jpeglib.h>

#include <QImageReader>

#include <csetjmp>
#include <cstdio>
#include <string>

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

// Four bytes C, M, Y, K per pixel become Qt's 32-bit pixel in place. Adobe's pictures, the
// usual CMYK JPEGs, store the four channels inverted.
void CmykToRgb(unsigned char* row, unsigned width, bool inverted) {
  auto* pixel = reinterpret_cast<QRgb*>(row);
  for (unsigned x = 0; x < width; ++x, row += 4) {
    int c = row[0], m = row[1], y = row[2], k = row[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    pixel[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
  }
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
  // libjpeg gives no RGB from four-channel pictures: those come as CMYK and are converted here.
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  // Otherwise straight into Qt's 32-bit layout: blue, green, red, unused.
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  // A header may claim far more pixels than the file holds or memory can take: such a picture
  // is refused within Qt's own limit for decoding pictures, or when its pixels are not had.
  const double megabytes = 4.0 * info.output_width * info.output_height / (1024 * 1024);
  const int limit = QImageReader::allocationLimit();
  if (limit <= 0 || megabytes <= limit)
    image = QImage(info.output_width, info.output_height, QImage::Format_RGB32);
  if (image.isNull()) {
    const std::string size =
        std::to_string(info.output_width) + " x " + std::to_string(info.output_height);
    jpeg_destroy_decompress(&info);
    throw Exception("JPEG error: a picture of " + size + " pixels is too large");
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(info.output_scanline);
    jpeg_read_scanlines(&info, &row, 1);
    if (cmyk) CmykToRgb(row, info.output_width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image_ = image;
}
