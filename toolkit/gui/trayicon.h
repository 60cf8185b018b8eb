#pragma once
// A notification-area icon over QSystemTrayIcon, shown while Active; a click on it raises
// OnClick. Where the desktop has no notification area, the window that owns the icon minimises
// when it hides while the icon is active, and restoring it raises OnClick, so the window never
// vanishes beyond reach; where nothing can minimise it either, the icon is not Available.
// User-interface thread only.

#include <functional>
#include <memory>
#include <string>

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"

class QSystemTrayIcon;
class TForm;

// Whether the window system minimises a window and gives it back. The platform layer installs
// it; with none installed, it does. Returns the one before.
using TMinimisingCheck = std::function<bool()>;
TMinimisingCheck SetMinimisingCheck(TMinimisingCheck check);

class TTrayIcon : public TComponent {
public:
  // The owner chain gives the window that stands in for the icon.
  explicit TTrayIcon(TComponent* Owner);
  ~TTrayIcon() override;

  bool Active() const { return active_; }
  void setActive(bool active);
  // Whether a window sent to the icon can come back: the notification area shows the icon, or
  // the window system minimises the window in its stead.
  bool Available() const;
  const std::string& Hint() const { return hint_; }
  void setHint(const std::string& hint);
  // Shown in the notification area; the application's icon while empty.
  TBitmap* Icon() { return &icon_; }

  TNotifyEvent OnClick;

protected:
  void Publish(TPropList& properties) override;

private:
  class Stand;
  void ShowIcon();

  std::unique_ptr<QSystemTrayIcon> tray_;
  std::unique_ptr<Stand> stand_;
  TForm* form_;
  bool active_ = false;
  std::string hint_;
  TBitmap icon_;
};
