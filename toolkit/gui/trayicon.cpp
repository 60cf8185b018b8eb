#include "toolkit/gui/trayicon.h"

#include <QApplication>
#include <QEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "toolkit/gui/application.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/qtbridge.h"

namespace {

TMinimisingCheck& MinimisingCheck() {
  static TMinimisingCheck check;
  return check;
}

}  // namespace

TMinimisingCheck SetMinimisingCheck(TMinimisingCheck check) {
  return std::exchange(MinimisingCheck(), std::move(check));
}

// Without a notification area: watches the window, minimises it when it hides while the icon
// is active, and takes its restoring for a click on the icon.
class TTrayIcon::Stand : public QObject {
public:
  Stand(TTrayIcon* icon, QWidget* window) : icon_(icon), window_(window) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide && icon_->active_ && !minimised_) {
      minimised_ = true;
      QTimer::singleShot(0, window_, [this] { window_->showMinimized(); });
    } else if (event->type() == QEvent::WindowStateChange && minimised_ &&
               !window_->isMinimized() && window_->isVisible()) {
      minimised_ = false;
      FireEvent(icon_->OnClick, icon_);
    }
    return false;
  }

private:
  TTrayIcon* icon_;
  QWidget* window_;
  bool minimised_ = false;
};

TTrayIcon::TTrayIcon(TComponent* Owner) : TComponent(Owner), form_(OwnerForm(Owner)) {}

TTrayIcon::~TTrayIcon() = default;

void TTrayIcon::setActive(bool active) {
  active_ = active;
  if (!active) {
    if (tray_) tray_->hide();
    return;
  }
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    ShowIcon();
  } else if (!stand_ && form_) {
    stand_ = std::make_unique<Stand>(this, form_->Handle());
  }
}

bool TTrayIcon::Available() const {
  return QSystemTrayIcon::isSystemTrayAvailable() || !MinimisingCheck() || MinimisingCheck()();
}

void TTrayIcon::ShowIcon() {
  if (!tray_) {
    tray_ = std::make_unique<QSystemTrayIcon>();
    QObject::connect(tray_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       if (reason == QSystemTrayIcon::Trigger) FireEvent(OnClick, this);
                     });
  }
  tray_->setIcon(icon_.Empty() ? QApplication::windowIcon() : ToQIcon(icon_));
  tray_->setToolTip(ToQString(hint_));
  tray_->show();
}

void TTrayIcon::setHint(const std::string& hint) {
  hint_ = hint;
  if (tray_) tray_->setToolTip(ToQString(hint));
}

void TTrayIcon::Publish(TPropList& properties) {
  TComponent::Publish(properties);
  properties.push_back(StringProperty(
      "Hint", "String", [this] { return hint_; },
      [this](const std::string& hint) { setHint(hint); }));
}
