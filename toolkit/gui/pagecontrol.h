#pragma once
// A page control over QTabWidget, and its pages: a page shows inside the control that is its
// parent, with its caption (system code page) on a tab unless TabVisible is off.
// User-interface thread only.

#include "toolkit/gui/wincontrol.h"

class QTabWidget;
class TPageControl;

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent* Owner);

  bool TabVisible() const { return tabVisible_; }
  void setTabVisible(bool visible);
  // The control the page is on, or none.
  TPageControl* PageControl() const;

protected:
  void TextChanged() override;
  void Publish(TPropList& properties) override;

private:
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
public:
  explicit TPageControl(TComponent* Owner);

  int PageCount() const { return ControlCount(); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const;
  void setActivePage(TTabSheet* page);

protected:
  void InsertChild(TControl* child) override;
  void RemoveChild(TControl* child) override;

private:
  friend class TTabSheet;
  QTabWidget* tabs() const;
  // The tab of the page changes its text or visibility.
  void UpdateTab(TTabSheet* page);
};
