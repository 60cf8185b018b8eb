#pragma once
// Conversions between the toolkit's values and Qt's, for the toolkit's own sources: colours,
// 8-bit texts in a code page, rectangles, mouse buttons, icons.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QRect>
#include <QString>
#include <string>

#include "toolkit/codepage.h"
#include "toolkit/colors.h"
#include "toolkit/gui/events.h"
#include "toolkit/rect.h"

class TGraphic;

// System colours through the fixed table; clNone is fully transparent.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

QString ToQString(const std::string& text, int codePage = kSystemCodePage);
std::string FromQString(const QString& text, int codePage = kSystemCodePage);

inline QRect ToQRect(const TRect& rect) {
  return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

// Buttons other than the right and the middle one count as the left.
TMouseButton ToMouseButton(Qt::MouseButton button);

// The picture as drawn (with its transparency); a null icon for an empty picture.
QIcon ToQIcon(const TGraphic& picture);

// A new image of the size whose top-left part is the old one; the rest is `fill`.
QImage ResizedImage(const QImage& image, int width, int height, QImage::Format format,
                    const QColor& fill);
