#include "toolkit/gui/blankimage.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

namespace {

// The large page of x86-64 and of 64-bit ARM with 4 KiB pages.
constexpr size_t kLargePage = size_t{2} << 20;

struct TMapping {
  void* Address;
  size_t Size;
};

void Unmap(void* info) {
  auto* mapping = static_cast<TMapping*>(info);
  munmap(mapping->Address, mapping->Size);
  delete mapping;
}

// The pixels on large pages; a null image where the memory cannot be mapped.
QImage MappedImage(int width, int height, qsizetype stride, QImage::Format format) {
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
  // Room to begin on a large page: only whole large pages are made of them.
  const size_t size = bytes + kLargePage;
  void* address = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (address == MAP_FAILED) return {};
  auto* start = reinterpret_cast<uchar*>((reinterpret_cast<uintptr_t>(address) + kLargePage - 1) &
                                         ~uintptr_t{kLargePage - 1});
  madvise(start, bytes, MADV_HUGEPAGE);
  auto* mapping = new TMapping{address, size};
  QImage image(start, width, height, stride, format, Unmap, mapping);
  // An image Qt refuses never calls its clean-up.
  if (image.isNull()) Unmap(mapping);
  return image;
}

// The bytes of a row: whole 32-bit words, as Qt lays out the images it allocates.
qsizetype Stride(int width, QImage::Format format) {
  return (qsizetype{std::max(0, width)} * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 *
         4;
}

}  // namespace

bool IsLargeImage(int width, int height, QImage::Format format) {
  return Stride(width, format) * std::max(0, height) >= static_cast<qsizetype>(kLargePage);
}

QImage BlankImage(int width, int height, QImage::Format format, const QColor& fill) {
  width = std::max(0, width);
  height = std::max(0, height);
  QImage image;
  if (IsLargeImage(width, height, format))
    image = MappedImage(width, height, Stride(width, format), format);
  if (image.isNull()) image = QImage(width, height, format);
  image.fill(fill);
  return image;
}
