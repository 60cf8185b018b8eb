#include "toolkit/gui/splitter.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "toolkit/gui/qtbridge.h"
#include "toolkit/gui/wincontrol.h"

namespace {

// The smallest size the resized control keeps.
constexpr int kMinSize = 30;

}  // namespace

TSplitter::TSplitter(TComponent* Owner) : TControl(Owner, new QWidget) {}

TControl* TSplitter::Neighbour() const {
  TWinControl* parent = Parent();
  if (!parent) return nullptr;
  TControl* found = nullptr;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control == this) return found;
    if (control->Align() == Align()) found = control;
  }
  return nullptr;
}

bool TSplitter::WidgetEvent(QEvent* event) {
  const bool vertical = Align() == alTop || Align() == alBottom;
  auto along = [vertical](const QMouseEvent* mouse) {
    const QPointF at = mouse->globalPosition();
    return static_cast<int>(vertical ? at.y() : at.x());
  };
  switch (event->type()) {
    case QEvent::Paint:
      QPainter(Handle()).fillRect(QRect(0, 0, Width(), Height()), ToQColor(Color()));
      return true;
    case QEvent::Enter: Handle()->setCursor(vertical ? Qt::SplitVCursor : Qt::SplitHCursor); break;
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      TControl* neighbour = Neighbour();
      if (mouse->button() != Qt::LeftButton || !neighbour) break;
      dragging_ = true;
      start_ = along(mouse);
      startSize_ = vertical ? neighbour->Height() : neighbour->Width();
      return true;
    }
    case QEvent::MouseMove: {
      TControl* neighbour = Neighbour();
      if (!dragging_ || !neighbour) break;
      // Towards the edge the neighbour stands on, it shrinks.
      const int moved = along(static_cast<QMouseEvent*>(event)) - start_;
      const bool grows = Align() == alBottom || Align() == alRight;
      const int size = std::max(kMinSize, startSize_ + (grows ? -moved : moved));
      if (vertical)
        neighbour->setHeight(size);
      else
        neighbour->setWidth(size);
      return true;
    }
    case QEvent::MouseButtonRelease:
      if (!dragging_) break;
      dragging_ = false;
      return true;
    default: break;
  }
  return TControl::WidgetEvent(event);
}
