#include "toolkit/gui/graphiccontrol.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "toolkit/gui/application.h"
#include "toolkit/gui/qtbridge.h"

TGraphicControl::TGraphicControl(TComponent* Owner) : TControl(Owner, new QWidget) {
  surface_ = QImage(0, 0, QImage::Format_ARGB32_Premultiplied);
}

void TGraphicControl::Resized() {
  surface_ = ResizedImage(surface_, Width(), Height(), QImage::Format_ARGB32_Premultiplied,
                          Qt::transparent);
  TControl::Resized();
}

bool TGraphicControl::WidgetEvent(QEvent* event) {
  if (event->type() != QEvent::Paint) return TControl::WidgetEvent(event);
  if (NeedsPaint()) {
    if (ClearsBeforePaint()) surface_.fill(Qt::transparent);
    painting_ = true;
    if (Application) Application->Dispatch(this, [this] { Paint(); });
    painting_ = false;
  }
  QPainter(Handle()).drawImage(0, 0, surface_);
  return true;
}
