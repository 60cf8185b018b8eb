#include "platform/gui/thook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QWheelEvent>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/gui/keystate.h"
#include "platform/keycodes.h"
#include "platform/thighresolutiontimer.h"
#include "toolkit/gui/application.h"

namespace {

// Created when the program starts, before any hook, as every key's stamps must share it.
const THighResolutionTimer hookClock;

// A callback's answer; a callback that throws is reported like every other handler's error
// (without an application there is no one to tell), and the event passes on.
template <class Callback, class... Arguments>
bool Answer(const Callback& callback, Arguments... arguments) {
  if (!callback) return true;
  if (Application) {
    return Application->Dispatch(nullptr, true, [&] { return callback(arguments...); });
  }
  bool answer = true;
  CatchAsException([&] { answer = callback(arguments...); }, [](const Exception&) {});
  return answer;
}

// The callbacks installed on one hook, each with its handle's number, in the order installed:
// the first is in force.
template <class Callback>
struct Hook {
  std::vector<std::pair<uint64_t, Callback>> callbacks;

  bool installed() const { return !callbacks.empty(); }
  // A copy, which keeps the callback alive while it runs, also when it removes itself.
  Callback inForce() const { return callbacks.empty() ? Callback() : callbacks.front().second; }
  auto find(uint64_t id) {
    return std::find_if(callbacks.begin(), callbacks.end(),
                        [id](const auto& callback) { return callback.first == id; });
  }
};

// Every event passes the filter on each object on its way (the window, the focused widget, its
// parents): each is taken at the window, where it arrives first. A key that a shortcut would
// take arrives first as a shortcut override, also at the window, and the key press that
// follows it (when no shortcut took the key) is the same press.
class HookFilter final : public QObject {
public:
  Hook<TKeyboardHookCallback> keyboard;
  Hook<TMouseHookCallback> mouse;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!watched->isWindowType()) return false;
    switch (event->type()) {
      case QEvent::ShortcutOverride:
        return keyboard.installed() && TakeOverride(static_cast<QKeyEvent*>(event));
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        return keyboard.installed() && TakeKey(static_cast<QKeyEvent*>(event));
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel: return mouse.installed() && TakeMouse(event);
      default: return false;
    }
  }

private:
  // The press that a shortcut override has brought to the callback already.
  struct Press {
    bool pending = false;
    quint32 nativeScanCode = 0;
    quint64 timestamp = 0;
    bool pass = true;
  } override_;

  bool TakeOverride(QKeyEvent* event) {
    bool pass = KeyToCallback(event, true);
    override_ = {true, event->nativeScanCode(), event->timestamp(), pass};
    // An accepted override keeps every shortcut from the key; its key press is swallowed next.
    if (!pass) event->accept();
    return !pass;
  }

  bool TakeKey(QKeyEvent* event) {
    bool down = event->type() == QEvent::KeyPress;
    Press taken = override_;
    override_.pending = false;
    if (down && taken.pending && taken.nativeScanCode == event->nativeScanCode() &&
        taken.timestamp == event->timestamp()) {
      return !taken.pass;
    }
    // Between repeats the system adds releases of its own: a held key gives presses only.
    if (!down && event->isAutoRepeat()) return false;
    return !KeyToCallback(event, down);
  }

  bool KeyToCallback(QKeyEvent* event, bool down) {
    auto time = static_cast<uint32_t>(hookClock.getTime());
    int scanCode = SignedScanCodeOfNative(event->nativeScanCode());
    NoteKeyEvent(scanCode, down, event->isAutoRepeat(), event->nativeModifiers());
    return Answer(keyboard.inForce(), time, scanCode, VirtualKeyOfScanCode(scanCode), down);
  }

  bool TakeMouse(QEvent* event) {
    MOUSEHOOKSTRUCT data;
    QPointF at = static_cast<QSinglePointEvent*>(event)->globalPosition();
    data.X = static_cast<int>(at.x());
    data.Y = static_cast<int>(at.y());
    return !Answer(mouse.inForce(), MouseMessage(event),
                   static_cast<const MOUSEHOOKSTRUCT*>(&data));
  }

  static unsigned MouseMessage(QEvent* event) {
    if (event->type() == QEvent::Wheel) return WM_MOUSEWHEEL;
    if (event->type() == QEvent::MouseMove) return WM_MOUSEMOVE;
    // Down, up and double click follow each other per button.
    unsigned step = event->type() == QEvent::MouseButtonPress     ? 0
                    : event->type() == QEvent::MouseButtonRelease ? 1
                                                                  : 2;
    switch (static_cast<QMouseEvent*>(event)->button()) {
      case Qt::RightButton: return WM_RBUTTONDOWN + step;
      case Qt::MiddleButton: return WM_MBUTTONDOWN + step;
      default: return WM_LBUTTONDOWN + step;
    }
  }
};

// Lives with the Qt application that it filters.
QPointer<HookFilter> filter;

HookFilter* FilterFor(std::thread::id thread) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || thread != std::this_thread::get_id() ||
      QThread::currentThread() != application->thread()) {
    return nullptr;
  }
  if (!filter) {
    filter = new HookFilter;
    filter->setParent(application);
    application->installEventFilter(filter);
    RepeatHeldKeysAsPressesOnly();
  }
  return filter;
}

// The number of the callback installed, 0 when none could be.
template <class Callback>
uint64_t Install(Hook<Callback> HookFilter::*hook, Callback callback, std::thread::id thread) {
  HookFilter* hooks = FilterFor(thread);
  if (!hooks) return 0;
  static uint64_t installed = 0;
  (hooks->*hook).callbacks.emplace_back(++installed, std::move(callback));
  return installed;
}

// `use` run on the callbacks of that hook while the hooks live.
template <class Use>
void WithHook(THookHandle::THook hook, Use use) {
  if (!filter) return;
  if (hook == THookHandle::THook::Keyboard)
    use(filter->keyboard);
  else
    use(filter->mouse);
}

}  // namespace

THookHandle::THookHandle(THookHandle&& other) noexcept : Hook(other.Hook), Id(other.Id) {
  other.Id = 0;
}

THookHandle& THookHandle::operator=(THookHandle&& other) noexcept {
  if (this != &other) {
    Remove();
    Hook = other.Hook;
    Id = other.Id;
    other.Id = 0;
  }
  return *this;
}

bool THookHandle::Installed() const {
  bool installed = false;
  if (Id) WithHook(Hook, [&](auto& hook) { installed = hook.find(Id) != hook.callbacks.end(); });
  return installed;
}

void THookHandle::Remove() {
  if (!Id) return;
  // What the callback reaches may be gone once its handle has removed it.
  WithHook(Hook, [this](auto& hook) {
    auto callback = hook.find(Id);
    if (callback != hook.callbacks.end()) hook.callbacks.erase(callback);
  });
  Id = 0;
}

THookHandle InstallKeyboardHook(TKeyboardHookCallback callback, std::thread::id thread) {
  return {THookHandle::THook::Keyboard,
          Install(&HookFilter::keyboard, std::move(callback), thread)};
}

THookHandle InstallMouseHook(TMouseHookCallback callback, std::thread::id thread) {
  return {THookHandle::THook::Mouse, Install(&HookFilter::mouse, std::move(callback), thread)};
}
