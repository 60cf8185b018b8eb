#pragma once
// Popup menus: a menu of items that a control shows on a right click. The items are
// components of the window (so their captions are localized), listed by the menu; clicking one
// runs its OnClick through the dispatch. User-interface thread only.

#include <string>
#include <vector>

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"

class TMenuItem : public TComponent {
public:
  using TComponent::TComponent;

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled) { enabled_ = enabled; }
  TBitmap* Bitmap() { return &bitmap_; }

  TNotifyEvent OnClick;

protected:
  void Publish(TPropList& properties) override;

private:
  std::string caption_;
  bool enabled_ = true;
  TBitmap bitmap_;
};

class TPopupMenu : public TComponent {
public:
  using TComponent::TComponent;

  // Lists an item (not owned: it belongs to the window).
  void Add(TMenuItem* item) { items_.push_back(item); }
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(index); }
  // Shows the menu at a screen position and returns when it closes.
  void Popup(int x, int y);

private:
  std::vector<TMenuItem*> items_;
};
