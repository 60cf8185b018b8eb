#include "toolkit/gui/jpegimage.h"

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <string>

#include "toolkit/exception.h"

namespace {

// Encoders write about ten scans. Each scan of a progressive picture passes over all its
// coefficients, so a small file of thousands of scans would hold its decode for minutes.
constexpr int kMaxScans = 100;

struct ErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  // libjpeg needed more working memory than it may take.
  bool tooLarge;
};

[[noreturn]] void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<ErrorManager*>(info->err);
  // Without a backing store, libjpeg asks for one only past max_memory_to_use.
  error->tooLarge = info->err->msg_code == JERR_NO_BACKING_STORE;
  info->err->format_message(info, error->message);
  std::longjmp(error->jump, 1);
}

// Data that ends before the picture does is broken, as bad data is, rather than shown with a
// grey lower part. Other warnings (stray bytes between segments, say) decode on.
void EmitMessage(j_common_ptr info, int level) {
  const int code = info->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) ErrorExit(info);
}

// Called at least once for every scan read.
void LimitScans(j_common_ptr info) {
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans) return;
  auto* error = reinterpret_cast<ErrorManager*>(info->err);
  std::snprintf(error->message, sizeof error->message, "more than %d scans", kMaxScans);
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

}  // namespace

void TJPEGImage::LoadFromMemory(const void* data, size_t size) {
  // Everything with a destructor lives before setjmp, so the jump back skips none.
  QImage image;
  jpeg_decompress_struct info;
  ErrorManager error;
  jpeg_progress_mgr progress{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = ErrorExit;
  error.manager.emit_message = EmitMessage;
  error.tooLarge = false;
  progress.progress_monitor = LimitScans;
  if (setjmp(error.jump)) {
    const JDIMENSION width = info.image_width, height = info.image_height;
    jpeg_destroy_decompress(&info);
    if (error.tooLarge) RaiseTooLarge("JPEG error: ", width, height);
    throw Exception(std::string("JPEG error: ") + error.message);
  }
  jpeg_create_decompress(&info);
  info.progress = &progress;
  // A progressive or multi-scan picture keeps all its coefficients until its last scan: two
  // bytes a pixel for grey, six for three channels at full resolution. Twice the pixels' limit
  // lets every such picture within that limit decode, and no header take more.
  info.mem->max_memory_to_use = static_cast<long>(2 * PixelLimit());
  jpeg_mem_src(&info, static_cast<const unsigned char*>(data), static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // libjpeg gives no RGB from four-channel pictures: those come as CMYK and are converted here.
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  // Otherwise straight into Qt's 32-bit layout: blue, green, red, unused.
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
  // The smallest scale whose picture covers the area, then down to one within the limit. A
  // header may claim far more pixels than the file holds or memory can take: that is known
  // before anything is decoded.
  auto scaleTo = [&info](unsigned eighths) {
    info.scale_num = eighths;
    info.scale_denom = 8;
    jpeg_calc_output_dimensions(&info);
  };
  auto covers = [&info, this] {
    return info.output_width >= static_cast<unsigned>(area_.cx) &&
           info.output_height >= static_cast<unsigned>(area_.cy);
  };
  unsigned eighths = 1;
  scaleTo(eighths);
  while (eighths < 8 && !covers()) scaleTo(++eighths);
  while (eighths > 1 && !WithinPixelLimit(info.output_width, info.output_height))
    scaleTo(--eighths);
  if (WithinPixelLimit(info.output_width, info.output_height)) {
    jpeg_start_decompress(&info);
    image = QImage(info.output_width, info.output_height, QImage::Format_RGB32);
  }
  if (image.isNull()) {
    const JDIMENSION width = info.image_width, height = info.image_height;
    jpeg_destroy_decompress(&info);
    RaiseTooLarge("JPEG error: ", width, height);
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
