#include "toolkit/gui/panel.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include "toolkit/gui/qtbridge.h"

TPanel::TPanel(TComponent* Owner) : TWinControl(Owner, new QWidget) {}

void TPanel::setBevelOuter(TBevelCut bevel) {
  bevel_ = bevel;
  Invalidate();
}

bool TPanel::WidgetEvent(QEvent* event) {
  if (event->type() != QEvent::Paint) return TWinControl::WidgetEvent(event);
  QPainter painter(Handle());
  QRect all(0, 0, Width(), Height());
  painter.fillRect(all, ToQColor(Color()));
  if (bevel_ != bvNone) {
    QColor light = ToQColor(clBtnHighlight), dark = ToQColor(clBtnShadow);
    QColor topLeft = bevel_ == bvRaised ? light : dark;
    QColor bottomRight = bevel_ == bvRaised ? dark : light;
    painter.fillRect(QRect(0, 0, Width(), 1), topLeft);
    painter.fillRect(QRect(0, 0, 1, Height()), topLeft);
    painter.fillRect(QRect(0, Height() - 1, Width(), 1), bottomRight);
    painter.fillRect(QRect(Width() - 1, 0, 1, Height()), bottomRight);
  }
  if (!Caption().empty()) {
    painter.setFont(Font()->ToQFont());
    painter.setPen(ToQColor(Font()->Color()));
    painter.drawText(all, Qt::AlignCenter, ToQString(Caption(), Font()->CodePage()));
  }
  return true;
}

void TPanel::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}
