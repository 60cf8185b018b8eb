#include "toolkit/gui/pagecontrol.h"

#include <QTabWidget>

#include "toolkit/gui/qtbridge.h"

TTabSheet::TTabSheet(TComponent* Owner) : TWinControl(Owner, new QWidget) {}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::setTabVisible(bool visible) {
  tabVisible_ = visible;
  if (PageControl()) PageControl()->UpdateTab(this);
}

void TTabSheet::TextChanged() {
  if (PageControl()) PageControl()->UpdateTab(this);
}

void TTabSheet::Publish(TPropList& properties) {
  TWinControl::Publish(properties);
  properties.push_back(TextProperty("Caption", "TCaption"));
}

TPageControl::TPageControl(TComponent* Owner) : TWinControl(Owner, new QTabWidget) {}

QTabWidget* TPageControl::tabs() const { return static_cast<QTabWidget*>(Handle()); }

void TPageControl::InsertChild(TControl* child) {
  TWinControl::InsertChild(child);
  if (auto* page = dynamic_cast<TTabSheet*>(child)) {
    // UpdateTab gives the tab its caption and visibility.
    tabs()->addTab(page->Handle(), QString());
    UpdateTab(page);
  }
}

void TPageControl::RemoveChild(TControl* child) {
  int index = tabs()->indexOf(child->Handle());
  if (index >= 0) tabs()->removeTab(index);
  TWinControl::RemoveChild(child);
}

void TPageControl::UpdateTab(TTabSheet* page) {
  int index = tabs()->indexOf(page->Handle());
  if (index < 0) return;
  tabs()->setTabText(index, ToQString(page->Caption()));
  tabs()->setTabVisible(index, page->TabVisible());
}

TTabSheet* TPageControl::Pages(int index) const {
  return dynamic_cast<TTabSheet*>(Controls(index));
}

TTabSheet* TPageControl::ActivePage() const {
  QWidget* current = tabs()->currentWidget();
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Handle() == current) return dynamic_cast<TTabSheet*>(Controls(i));
  return nullptr;
}

void TPageControl::setActivePage(TTabSheet* page) {
  if (page) tabs()->setCurrentWidget(page->Handle());
}
