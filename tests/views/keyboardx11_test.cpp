// Real key presses on an X server, sent with xdotool by their X key codes, reach the keyboard
// of a small program (keyprobe) through the hook, whatever layout the system has; what the
// system's layout typed into the probe's edit shows which layout that was.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "support/courses.h"
#include "support/xvfb.h"

namespace {

// X key codes, as the evdev rules number the keys (xdotool takes one digit for a key symbol:
// Esc goes by its name, which every layout has on the same key).
const char* const kKeys =
    "38 "        // a
    "105 "       // right Ctrl
    "108 "       // right Alt
    "133 "       // left Windows
    "62 "        // right Shift
    "111 "       // Up
    "113 "       // Left
    "104 "       // keypad Enter
    "66 38 66 "  // a with Caps Lock
    "Escape "    // which the window's action takes
    "95 "        // F11, which the program swallows before its action sees it
    "96";        // F12 ends the program

// Each key down and up: scan code, virtual key, the keyboard's character, and after each Caps
// Lock what the keyboard's A key shows before the next key (the lock's own press sets it); then
// the text that the system's layout typed: a, then (the cursor moved left) a with Caps Lock
// before it.
std::string Expected(const std::string& plain, const std::string& capsLock,
                     const std::string& typed) {
  auto key = [](const std::string& code, const std::string& character) {
    return "key " + code + " " + character + " 1\nkey " + code + " " + character + " 0\n";
  };
  return key("30 65", plain) + key("-29 163", "00") + key("-56 165", "00") + key("-91 91", "00") +
         key("-54 161", "00") + key("-72 38", "00") + key("-75 37", "00") + key("-28 13", "00") +
         "key 58 20 00 1\nkey 58 20 00 0\nshows " + capsLock + "\n" + key("30 65", capsLock) +
         "key 58 20 00 1\nkey 58 20 00 0\nshows " + plain + "\n" +
         "key 1 27 00 1\naction\nkey 1 27 00 0\n" + key("87 122", "00") + key("88 123", "00") +
         "text " + typed + "\n";
}

// Starts the probe, has `drive` send it keys once its window is active (given the probe's
// process id), and answers what it printed.
std::string RunProbe(const XvfbDisplay& x, const std::string& layoutFile,
                     const std::function<void(const std::string& probe)>& drive) {
  // The shell tells its process id, which the probe then takes over.
  std::string command = "echo $$; exec env DISPLAY=" + x.Display() + " QT_QPA_PLATFORM=xcb " +
                        LOMTAK_KEYPROBE + " " + layoutFile + " 2>/dev/null";
  FILE* probe = popen(command.c_str(), "r");
  if (!probe) return "cannot start the probe";
  std::string output, id;
  char line[256];
  bool ready = false;
  if (std::fgets(line, sizeof line, probe)) id = std::string(line, std::strlen(line) - 1);
  while (std::fgets(line, sizeof line, probe)) {
    if (!ready && std::string(line) == "ready\n") {
      ready = true;
      drive(id);
      continue;
    }
    output += line;
  }
  pclose(probe);
  return ready ? output : "the probe's window never became active";
}

// Sends `keys` (xdotool commands).
std::string RunProbe(const XvfbDisplay& x, const std::string& layoutFile,
                     const std::string& keys = std::string("key --delay 30 ") + kKeys) {
  return RunProbe(x, layoutFile, [&](const std::string&) { x.Run("xdotool " + keys); });
}

TEST(KeyboardX11Test, RealKeysReachTheKeyboardAlikeWithAUsAndARussianSystemLayout) {
  XvfbDisplay x;
  if (x.Display().empty() || std::system("command -v xdotool setxkbmap >/dev/null") != 0)
    GTEST_SKIP() << "no Xvfb, xdotool or setxkbmap";
  struct Case {
    const char* systemLayout;
    std::string layoutFile;
    const char* plain;
    const char* capsLock;
    const char* typed;
  } cases[] = {
      {"us", "", "61", "41", "4161"},
      {"ru", "", "61", "41", "d4f4"},  // Ф ф
      {"us", ShippedCourseFile("Russian.Layout"), "f4", "d4", "4161"},
      {"ru", ShippedCourseFile("Russian.Layout"), "f4", "d4", "d4f4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.systemLayout) + " " + c.layoutFile);
    ASSERT_TRUE(x.Run(std::string("setxkbmap ") + c.systemLayout));
    EXPECT_EQ(RunProbe(x, c.layoutFile), Expected(c.plain, c.capsLock, c.typed));
  }
}

// The server repeats a held key; the program sees the repeats as presses, and one release when
// the key goes up.
TEST(KeyboardX11Test, AHeldKeyGivesPressesAndOneRelease) {
  XvfbDisplay x;
  if (x.Display().empty() || std::system("command -v xdotool >/dev/null") != 0)
    GTEST_SKIP() << "no Xvfb or xdotool";
  std::string output = RunProbe(x, "", "keydown 38 sleep 1.5 keyup 38 key 96");
  std::string press = "key 30 65 61 1\n", release = "key 30 65 61 0\n";
  size_t presses = 0;
  while (output.compare(presses * press.size(), press.size(), press) == 0) ++presses;
  EXPECT_GE(presses, 3u) << output;
  std::string typed;
  for (size_t i = 0; i < presses; ++i) typed += "61";
  EXPECT_EQ(output.substr(presses * press.size()),
            release + "key 88 123 00 1\nkey 88 123 00 0\ntext " + typed + "\n");
}

// A key that the program takes late keeps the Caps Lock state it was typed with: the probe,
// stopped, misses Caps Lock going on and off again around an a, and still sees a capital.
TEST(KeyboardX11Test, AKeyTakenLateKeepsTheCapsLockItWasTypedWith) {
  XvfbDisplay x;
  if (x.Display().empty() || std::system("command -v xdotool >/dev/null") != 0)
    GTEST_SKIP() << "no Xvfb or xdotool";
  std::string output = RunProbe(x, "", [&](const std::string& probe) {
    x.Run("kill -STOP " + probe);
    x.Run("xdotool key --delay 30 66 38 66");
    x.Run("kill -CONT " + probe);
    x.Run("xdotool key 96");
  });
  EXPECT_EQ(output,
            "key 58 20 00 1\nkey 58 20 00 0\nshows 41\nkey 30 65 41 1\nkey 30 65 41 0\n"
            "key 58 20 00 1\nkey 58 20 00 0\nshows 61\nkey 88 123 00 1\nkey 88 123 00 0\n"
            "text 41\n");
}

}  // namespace
