#pragma once
// A new image of one colour. One of a quarter megabyte or more takes memory the program has had
// before where it can: fresh memory is mapped in page by page when it is first filled, which a
// virtual machine makes cost milliseconds a megabyte, and a fork (a child started by a library)
// leaves every written page to be copied at its next write. So the pixels of such images lie
// on mappings of their own that no child inherits, and a released image's mapping is kept for
// the next (up to a bound) instead of being given back; one of megabytes lies on the system's
// large pages where it gives them. Any thread.

#include <QColor>
#include <QImage>
#include <cstddef>

QImage BlankImage(int width, int height, QImage::Format format, const QColor& fill);
// A copy of the image's pixels that shares nothing with it, on such memory where it is large.
QImage CopiedImage(const QImage& image);
// Whether an image of that size is one of megabytes.
bool IsLargeImage(int width, int height, QImage::Format format);
// Sees that at least `bytes` of memory are mapped in for the next images to take, mapping in
// what is missing: slow, for a worker, ahead of a window about to be built.
void PrepareBlankImages(size_t bytes);
// The same on a worker of its own, started now.
void PrepareBlankImagesAhead(size_t bytes);
