#include "toolkit/gui/checkbox.h"

#include <QCheckBox>
#include <QEvent>

#include "toolkit/gui/qtbridge.h"

TCheckBox::TCheckBox(TComponent* Owner) : TWinControl(Owner, new QCheckBox) {
  QObject::connect(box(), &QCheckBox::clicked, [this] { Fire(OnClick); });
}

bool TCheckBox::WidgetEvent(QEvent* event) {
  // A click is the box's own signal, which also comes from the keyboard.
  if (event->type() == QEvent::MouseButtonRelease) return false;
  return TWinControl::WidgetEvent(event);
}

QCheckBox* TCheckBox::box() const { return static_cast<QCheckBox*>(Handle()); }

bool TCheckBox::Checked() const { return box()->isChecked(); }

void TCheckBox::setChecked(bool checked) {
  if (checked == Checked()) return;
  box()->setChecked(checked);
  if (OnClick) OnClick(this);
}

void TCheckBox::TextChanged() { box()->setText(ToQString(Text())); }

void TCheckBox::ColorChanged() { SetBackground(QPalette::Window); }

void TCheckBox::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}
