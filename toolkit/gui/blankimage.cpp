#include "toolkit/gui/blankimage.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

// The large page of x86-64 and of 64-bit ARM with 4 KiB pages.
constexpr size_t kLargePage = size_t{2} << 20;
// Images from this size on take kept memory; what is kept is cut in pieces of whole grains.
constexpr size_t kKeptImage = size_t{256} << 10, kGrain = size_t{64} << 10;
// At most this much memory waits for the next image.
constexpr size_t kKeptAtMost = size_t{96} << 20;

size_t Grains(size_t bytes) { return (bytes + kGrain - 1) / kGrain * kGrain; }

// Mapped memory that no image holds, in pieces by size. Never destroyed: an image may be
// released on a worker while the program ends.
class TKept {
public:
  // A piece of at least `bytes` (the smallest there is), cut to them where the rest is worth
  // keeping; null when none is large enough.
  uchar* Take(size_t bytes, size_t* taken) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = pieces_.lower_bound(bytes);
    if (found == pieces_.end()) return nullptr;
    size_t size = found->first;
    uchar* start = found->second;
    pieces_.erase(found);
    kept_ -= size;
    if (size - bytes >= kKeptImage) {
      pieces_.emplace(size - bytes, start + bytes);
      kept_ += size - bytes;
      size = bytes;
    }
    *taken = size;
    return start;
  }
  size_t Bytes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return kept_;
  }
  // Keeps the piece while there is room, and gives it back to the system otherwise.
  void Give(uchar* start, size_t size) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (kept_ + size <= kKeptAtMost) {
        pieces_.emplace(size, start);
        kept_ += size;
        return;
      }
    }
    munmap(start, size);
  }

private:
  std::mutex mutex_;
  std::multimap<size_t, uchar*> pieces_;
  size_t kept_ = 0;
};

TKept& Kept() {
  static TKept* kept = new TKept;
  return *kept;
}

// Fresh memory, on large pages where it spans them; null where it cannot be mapped.
uchar* Map(size_t bytes) {
  // Room to begin on a large page, cut off again: only whole large pages are made of them.
  const size_t room = bytes >= kLargePage ? kLargePage : 0;
  void* address =
      mmap(nullptr, bytes + room, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (address == MAP_FAILED) return nullptr;
  auto* start = static_cast<uchar*>(address);
  if (room) {
    auto* aligned = reinterpret_cast<uchar*>((reinterpret_cast<uintptr_t>(start) + kLargePage - 1) &
                                             ~uintptr_t{kLargePage - 1});
    if (aligned > start) munmap(start, aligned - start);
    if (aligned + bytes < start + bytes + room)
      munmap(aligned + bytes, start + bytes + room - (aligned + bytes));
    start = aligned;
    madvise(start, bytes, MADV_HUGEPAGE);
  }
  madvise(start, bytes, MADV_DONTFORK);
  return start;
}

struct TPiece {
  uchar* Start;
  size_t Size;
};

void Release(void* info) {
  auto* piece = static_cast<TPiece*>(info);
  Kept().Give(piece->Start, piece->Size);
  delete piece;
}

// The pixels on kept or fresh memory; a null image where none can be mapped.
QImage KeptImage(int width, int height, qsizetype stride, QImage::Format format) {
  const size_t bytes = Grains(static_cast<size_t>(stride) * static_cast<size_t>(height));
  size_t size = bytes;
  uchar* start = Kept().Take(bytes, &size);
  if (!start) start = Map(bytes);
  if (!start) return {};
  auto* piece = new TPiece{start, size};
  QImage image(start, width, height, stride, format, Release, piece);
  // An image Qt refuses never calls its clean-up.
  if (image.isNull()) Release(piece);
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

namespace {

// A new image, on kept memory where it is large enough; its pixels are whatever that held.
QImage NewImage(int width, int height, QImage::Format format) {
  width = std::max(0, width);
  height = std::max(0, height);
  QImage image;
  if (Stride(width, format) * height >= static_cast<qsizetype>(kKeptImage))
    image = KeptImage(width, height, Stride(width, format), format);
  if (image.isNull()) image = QImage(width, height, format);
  return image;
}

}  // namespace

QImage BlankImage(int width, int height, QImage::Format format, const QColor& fill) {
  QImage image = NewImage(width, height, format);
  image.fill(fill);
  return image;
}

QImage CopiedImage(const QImage& image) {
  if (image.isNull()) return {};
  QImage copy = NewImage(image.width(), image.height(), image.format());
  if (copy.isNull() || copy.bytesPerLine() != image.bytesPerLine()) return image.copy();
  std::memcpy(copy.bits(), image.constBits(), static_cast<size_t>(image.sizeInBytes()));
  copy.setColorTable(image.colorTable());
  copy.setDevicePixelRatio(image.devicePixelRatio());
  return copy;
}

void PrepareBlankImages(size_t bytes) {
  const size_t kept = Kept().Bytes();
  if (kept >= bytes) return;
  bytes = Grains(bytes - kept);
  uchar* start = Map(bytes);
  if (!start) return;
  // Written, not only read: a read maps every page to the one zero page.
  if (madvise(start, bytes, MADV_POPULATE_WRITE) != 0)
    for (size_t at = 0; at < bytes; at += 4096) static_cast<volatile uchar*>(start)[at] = 0;
  Kept().Give(start, bytes);
}

void PrepareBlankImagesAhead(size_t bytes) {
  try {
    // Nothing it touches goes before it, should the program end meanwhile.
    std::thread([bytes] { PrepareBlankImages(bytes); }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the images map their memory in themselves.
  }
}
