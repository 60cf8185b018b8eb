#include "toolkit/gui/qtbridge.h"

#include <QPainter>
#include <QPixmap>

#include "toolkit/gui/blankimage.h"
#include "toolkit/gui/graphic.h"

QColor ToQColor(TColor color) {
  if (color == clNone) return QColor(0, 0, 0, 0);
  TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

QString ToQString(const std::string& text, int codePage) {
  return QString::fromStdString(ToUtf8(text, codePage));
}

std::string FromQString(const QString& text, int codePage) {
  return FromUtf8(text.toStdString(), codePage);
}

TMouseButton ToMouseButton(Qt::MouseButton button) {
  if (button == Qt::RightButton) return mbRight;
  if (button == Qt::MiddleButton) return mbMiddle;
  return mbLeft;
}

QIcon ToQIcon(const TGraphic& picture) {
  if (picture.Empty()) return QIcon();
  return QIcon(QPixmap::fromImage(picture.DrawnImage()));
}

QImage ResizedImage(const QImage& image, int width, int height, QImage::Format format,
                    const QColor& fill) {
  if (image.width() == width && image.height() == height && image.format() == format) return image;
  QImage resized = BlankImage(width, height, format, fill);
  if (!image.isNull() && !resized.isNull()) {
    QPainter painter(&resized);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, image);
  }
  return resized;
}
