// Feeds every input to the picture decoders that read files from outside: JPEG at full size and
// for a small screen, and PNG. Qt's limit for decoded pictures, which bounds the decoders, is set
// low, so each bound is met many times a second and any allocation past it stands out.
#include <QImageReader>
#include <cstddef>
#include <cstdint>

#include "toolkit/exception.h"
#include "toolkit/gui/jpegimage.h"
#include "toolkit/gui/pngimage.h"

namespace {

// The pixels' bound in megabytes; libjpeg may take twice that beside them.
constexpr int kPixelLimitMegabytes = 16;

void Decode(TGraphic& picture, const uint8_t* data, size_t size) {
  try {
    picture.LoadFromMemory(data, size);
  } catch (const Exception&) {
    // Refusing the input is the decoder's answer to most of them.
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  QImageReader::setAllocationLimit(kPixelLimitMegabytes);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TJPEGImage full, forAScreen;
  forAScreen.setCoverArea({320, 240});
  TPNGImage png;
  Decode(full, data, size);
  Decode(forAScreen, data, size);
  Decode(png, data, size);
  return 0;
}
