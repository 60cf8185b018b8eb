#include "platform/gui/thook.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QThread>
#include <QWheelEvent>

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

template <class Callback>
struct Hook {
  Callback callback;
  bool installed = false;
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
        return keyboard.installed && TakeOverride(static_cast<QKeyEvent*>(event));
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        return keyboard.installed && TakeKey(static_cast<QKeyEvent*>(event));
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::Wheel:
        return mouse.installed && TakeMouse(event);
      default:
        return false;
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
    // The callback may remove the hook: a copy keeps it alive for this call.
    TKeyboardHookCallback callback = keyboard.callback;
    return Answer(callback, time, scanCode, VirtualKeyOfScanCode(scanCode), down);
  }

  bool TakeMouse(QEvent* event) {
    MOUSEHOOKSTRUCT data;
    QPointF at = static_cast<QSinglePointEvent*>(event)->globalPosition();
    data.X = static_cast<int>(at.x());
    data.Y = static_cast<int>(at.y());
    TMouseHookCallback callback = mouse.callback;
    return !Answer(callback, MouseMessage(event), static_cast<const MOUSEHOOKSTRUCT*>(&data));
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

template <class Callback>
bool Install(Hook<Callback> HookFilter::*hook, Callback callback, std::thread::id thread) {
  if (filter && (filter->*hook).installed) return true;
  HookFilter* hooks = FilterFor(thread);
  if (!hooks) return false;
  (hooks->*hook).callback = std::move(callback);
  (hooks->*hook).installed = true;
  return true;
}

template <class Callback>
bool Remove(Hook<Callback> HookFilter::*hook) {
  // What the callback reaches may be gone once its hook is removed.
  if (filter) filter->*hook = {};
  return true;
}

}  // namespace

bool InstallKeyboardHook(TKeyboardHookCallback callback, std::thread::id thread) {
  return Install(&HookFilter::keyboard, std::move(callback), thread);
}

bool RemoveKeyboardHook() { return Remove(&HookFilter::keyboard); }

bool InstallMouseHook(TMouseHookCallback callback, std::thread::id thread) {
  return Install(&HookFilter::mouse, std::move(callback), thread);
}

bool RemoveMouseHook() { return Remove(&HookFilter::mouse); }
