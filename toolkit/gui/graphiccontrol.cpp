#include "toolkit/gui/graphiccontrol.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <exception>

#include "toolkit/gui/application.h"
#include "toolkit/gui/blankimage.h"
#include "toolkit/gui/qtbridge.h"

TGraphicControl::TGraphicControl(TComponent* Owner) : TControl(Owner, new QWidget) {
  surface_ = QImage(0, 0, Format());
}

QImage::Format TGraphicControl::Format() const {
  return opaque_ ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
}

void TGraphicControl::setOpaque(bool opaque) {
  opaque_ = opaque;
  Handle()->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
  // The pixels drawn so far stay, in the new format, at the control's size; a screen-sized
  // surface that is yet to take that size waits for its first use.
  const bool wait = IsLargeImage(Width(), Height(), Format()) &&
                    (surface_.width() != Width() || surface_.height() != Height());
  surface_ = ResizedImage(surface_, wait ? surface_.width() : Width(),
                          wait ? surface_.height() : Height(), Format(), Qt::transparent);
  surfaceDeferred_ = wait;
}

void TGraphicControl::Resized() {
  surfaceDeferred_ = IsLargeImage(Width(), Height(), Format());
  if (!surfaceDeferred_) SizeSurface();
  TControl::Resized();
}

void TGraphicControl::SizeSurface() {
  surfaceDeferred_ = false;
  // Blank at a new size, not the old pixels at their old places: a paint box that leaves parts
  // of itself undrawn (the corners outside a rounded outline) would keep there what an earlier
  // size drew.
  const int width = std::max(0, Width()), height = std::max(0, Height());
  if (surface_.width() == width && surface_.height() == height) return;
  surface_ = BlankImage(width, height, Format(), Qt::transparent);
}

bool TGraphicControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      // The press is this control's alone: the window beneath would take it for one on
      // itself (a drag of the window, a refill of its list).
      TControl::WidgetEvent(event);
      event->accept();
      return true;
    case QEvent::Paint: break;
    default: return TControl::WidgetEvent(event);
  }
  if (surfaceDeferred_) SizeSurface();
  if (NeedsPaint()) {
    if (ClearsBeforePaint()) surface_.fill(Qt::transparent);
    painting_ = true;
    PaintReportingOnce();
    painting_ = false;
  }
  QPainter(Handle()).drawImage(0, 0, surface_);
  return true;
}

void TGraphicControl::PaintReportingOnce() {
  std::exception_ptr error;
  try {
    Paint();
  } catch (...) {
    error = std::current_exception();
  }
  bool reported = paintFailed_;
  paintFailed_ = static_cast<bool>(error);
  if (!error || reported || !Application) return;
  // An error box shown inside the paint would uncover the control and bring the next failing
  // paint at once: the report waits for the loop, and a control that keeps failing gets one.
  QTimer::singleShot(0, Handle(), [this, error] {
    Application->Dispatch(this, [error] { std::rethrow_exception(error); });
  });
}
