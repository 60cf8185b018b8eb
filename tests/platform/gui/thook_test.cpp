#include "platform/gui/thook.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/gui/keystate.h"
#include "platform/keycodes.h"
#include "platform/thighresolutiontimer.h"
#include "support/guiapplication.h"
#include "support/messageboxes.h"
#include "toolkit/exception.h"

namespace {

constexpr quint32 kX11A = 38, kX11CapsLock = 66, kX11RightCtrl = 105;

struct KeyEvent {
  uint32_t time;
  int scanCode;
  int virtualKey;
  bool down;
};

// A window with a focused edit, and the window system's side of a key: as Qt delivers a
// press, first the shortcut override and then, unless a shortcut took the key, the press
// itself, both to the window.
class HookTest : public testing::Test {
protected:
  void SetUp() override {
    window.resize(200, 50);
    edit = new QLineEdit(&window);
    window.show();
    edit->setFocus();
    ASSERT_NE(window.windowHandle(), nullptr);
  }
  void Install(bool answer = true) {
    keyboardHook = InstallKeyboardHook(
        [this, answer](uint32_t time, int scanCode, int virtualKey, bool down) {
          events.push_back({time, scanCode, virtualKey, down});
          return answer;
        },
        std::this_thread::get_id());
    ASSERT_TRUE(keyboardHook.Installed());
  }

  // Answers whether the shortcut took the key.
  bool Send(QEvent::Type type, quint32 native, bool repeat = false, bool shortcutTakesIt = false) {
    ++timestamp;
    QString text = native == kX11A ? "a" : "";
    Qt::Key key = native == kX11A ? Qt::Key_A : Qt::Key_unknown;
    if (type == QEvent::KeyPress) {
      QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier, native, 0, nativeModifiers,
                         text, repeat);
      override.setTimestamp(timestamp);
      override.ignore();
      QCoreApplication::sendEvent(window.windowHandle(), &override);
      if (shortcutTakesIt && !override.isAccepted()) return true;
    }
    QKeyEvent event(type, key, Qt::NoModifier, native, 0, nativeModifiers, text, repeat);
    event.setTimestamp(timestamp);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
    return false;
  }
  void Click(quint32 native) {
    Send(QEvent::KeyPress, native);
    Send(QEvent::KeyRelease, native);
  }

  QWidget window;
  QLineEdit* edit = nullptr;
  THookHandle keyboardHook;
  std::vector<KeyEvent> events;
  quint64 timestamp = 1000;
  // The window system's modifier state that comes with each key event.
  quint32 nativeModifiers = 0;
};

TEST_F(HookTest, OnePhysicalKeyReachesTheCallbackOnceAndThenTheFocusedEdit) {
  Install();
  THighResolutionTimer clock;
  int32_t before = clock.getTime();
  Click(kX11A);
  int32_t after = clock.getTime();
  ASSERT_EQ(events.size(), 2u);
  for (const KeyEvent& event : events) {
    EXPECT_EQ(event.scanCode, 30);
    EXPECT_EQ(event.virtualKey, 'A');
    EXPECT_GE(static_cast<int32_t>(event.time), before) << "stamped by the hooks' clock";
    EXPECT_LE(static_cast<int32_t>(event.time), after);
  }
  EXPECT_TRUE(events[0].down);
  EXPECT_FALSE(events[1].down);
  EXPECT_EQ(edit->text(), "a");
}

TEST_F(HookTest, AKeyAShortcutTakesStillReachesTheCallbackFirst) {
  Install();
  EXPECT_TRUE(Send(QEvent::KeyPress, kX11RightCtrl, false, true));
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].scanCode, -29);
  EXPECT_EQ(events[0].virtualKey, VK_RCONTROL);
}

TEST_F(HookTest, ASwallowedKeyIsKeptFromShortcutsAndWidgets) {
  Install(false);
  EXPECT_FALSE(Send(QEvent::KeyPress, kX11A, false, true));
  EXPECT_EQ(events.size(), 1u) << "the key press after the override is the same press";
  EXPECT_EQ(edit->text(), "") << "no shortcut took it, and no widget got it";
}

TEST_F(HookTest, AHeldKeyGivesDownEventsOnly) {
  Install();
  Send(QEvent::KeyPress, kX11A);
  for (int repeat = 0; repeat < 2; ++repeat) {
    Send(QEvent::KeyRelease, kX11A, true);
    Send(QEvent::KeyPress, kX11A, true);
  }
  Send(QEvent::KeyRelease, kX11A);
  std::vector<bool> downs;
  for (const KeyEvent& event : events) downs.push_back(event.down);
  EXPECT_EQ(downs, (std::vector<bool>{true, true, true, false}));
  EXPECT_EQ(edit->text(), "aaa");
}

TEST_F(HookTest, AFalseAnswerSwallowsTheKeyATrueOnePassesItOn) {
  for (bool answer : {false, true}) {
    SCOPED_TRACE(answer);
    edit->clear();
    Install(answer);
    Click(kX11A);
    EXPECT_EQ(edit->text(), answer ? "a" : "");
  }
}

// Two owners of callbacks, as two on-screen keyboards alive at once: each handle removes its own
// callback only, and the earliest one installed is in force.
TEST_F(HookTest, TheEarliestCallbackIsInForceAndEachHandleRemovesOnlyItsOwn) {
  Install();
  int secondCalls = 0;
  auto second = [&] {
    return InstallKeyboardHook([&](uint32_t, int, int, bool) { return ++secondCalls > 0; },
                               std::this_thread::get_id());
  };
  THookHandle later = second();
  EXPECT_TRUE(later.Installed());
  Click(kX11A);
  EXPECT_EQ(events.size(), 2u);
  EXPECT_EQ(secondCalls, 0) << "the first callback stays in force";

  later.Remove();
  EXPECT_FALSE(later.Installed());
  Click(kX11A);
  EXPECT_EQ(events.size(), 4u) << "the second handle removed the first's callback";

  later = second();
  THookHandle moved = std::move(keyboardHook);
  keyboardHook.Remove();
  Click(kX11A);
  EXPECT_EQ(events.size(), 6u) << "the callback went with the handle it was moved to";
  moved.Remove();
  Click(kX11A);
  EXPECT_EQ(events.size(), 6u);
  EXPECT_EQ(secondCalls, 2) << "the next callback came into force";

  later.Remove();
  Click(kX11A);
  EXPECT_EQ(secondCalls, 2);
  EXPECT_EQ(edit->text(), "aaaaa") << "without a callback every key passes";
}

TEST_F(HookTest, ACallbackMayRemoveItsOwnHook) {
  auto owner = std::make_shared<int>(0);
  keyboardHook = InstallKeyboardHook(
      [this, owner](uint32_t, int, int, bool) {
        keyboardHook.Remove();
        return ++*owner > 0;
      },
      std::this_thread::get_id());
  Click(kX11A);
  EXPECT_EQ(*owner, 1);
}

TEST_F(HookTest, AThrowingCallbackIsReportedAndTheKeyPasses) {
  MessageBoxes boxes;
  keyboardHook = InstallKeyboardHook(
      [](uint32_t, int, int, bool down) -> bool {
        if (down) throw Exception("12345678/H Broken key handler");
        return true;
      },
      std::this_thread::get_id());
  Click(kX11A);
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "12345678/H Broken key handler");
  EXPECT_EQ(edit->text(), "a");
}

TEST_F(HookTest, OnlyTheUserInterfaceThreadGetsAHook) {
  std::thread::id other;
  std::thread([&] { other = std::this_thread::get_id(); }).join();
  EXPECT_FALSE(
      InstallKeyboardHook([](uint32_t, int, int, bool) { return true; }, other).Installed());
  EXPECT_FALSE(
      InstallMouseHook([](unsigned, const MOUSEHOOKSTRUCT*) { return true; }, other).Installed());
}

TEST_F(HookTest, CapsLockPressesToggleTheLockWithoutAnX11Display) {
  Install();
  bool before = KeyState().IsKeyToggled(VK_CAPITAL);
  Send(QEvent::KeyPress, kX11CapsLock);
  Send(QEvent::KeyPress, kX11CapsLock, true);
  Send(QEvent::KeyRelease, kX11CapsLock);
  EXPECT_NE(KeyState().IsKeyToggled(VK_CAPITAL), before) << "a held Caps Lock toggles once";
  Click(kX11CapsLock);
  EXPECT_EQ(KeyState().IsKeyToggled(VK_CAPITAL), before);
}

// A Caps Lock that was on before the program started shows in the state of the next key.
TEST_F(HookTest, AnyOtherKeyTellsTheLockAsItStandsWithoutAnX11Display) {
  constexpr quint32 kLockModifier = 0x2;
  Install();
  for (bool locked : {true, false, true}) {
    SCOPED_TRACE(locked);
    nativeModifiers = locked ? kLockModifier : 0;
    Send(QEvent::KeyPress, kX11A);
    EXPECT_EQ(KeyState().IsKeyToggled(VK_CAPITAL), locked);
    Send(QEvent::KeyRelease, kX11A);
  }
  Send(QEvent::KeyPress, kX11CapsLock);
  EXPECT_FALSE(KeyState().IsKeyToggled(VK_CAPITAL)) << "its own press still toggles the lock";
}

TEST_F(HookTest, MouseEventsReachTheMouseCallbackWithTheirMessage) {
  struct Seen {
    unsigned message;
    int x, y;
  };
  std::vector<Seen> seen;
  THookHandle mouseHook = InstallMouseHook(
      [&](unsigned message, const MOUSEHOOKSTRUCT* data) {
        seen.push_back({message, data->X, data->Y});
        return true;
      },
      std::this_thread::get_id());
  ASSERT_TRUE(mouseHook.Installed());
  struct Case {
    QEvent::Type type;
    Qt::MouseButton button;
    unsigned message;
  } cases[] = {{QEvent::MouseMove, Qt::NoButton, WM_MOUSEMOVE},
               {QEvent::MouseButtonPress, Qt::LeftButton, WM_LBUTTONDOWN},
               {QEvent::MouseButtonRelease, Qt::RightButton, WM_RBUTTONUP},
               {QEvent::MouseButtonDblClick, Qt::MiddleButton, WM_MBUTTONDBLCLK}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    seen.clear();
    QMouseEvent event(c.type, QPointF(5, 6), QPointF(105, 206), c.button, c.button, Qt::NoModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
    ASSERT_EQ(seen.size(), 1u) << "once, at the window";
    EXPECT_EQ(seen[0].message, c.message);
    EXPECT_EQ(seen[0].x, 105);
    EXPECT_EQ(seen[0].y, 206);
  }
}

}  // namespace
