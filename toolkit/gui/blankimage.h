#pragma once
// A new image of one colour. One of megabytes lies on the system's large pages where it gives
// them: a screen-sized image is otherwise mapped in page by page when it is first filled, some
// two thousand faults, which a virtual machine makes cost tens of milliseconds.

#include <QColor>
#include <QImage>

QImage BlankImage(int width, int height, QImage::Format format, const QColor& fill);
// Whether an image of that size is one of megabytes.
bool IsLargeImage(int width, int height, QImage::Format format);
