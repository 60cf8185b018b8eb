#pragma once
// An Xvfb of its own and one connection to it: keys and clicks sent with XTest, the top-level
// windows' maps and the damage of the windows watched, each stamped when it arrives. One
// thread.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using Clock = std::chrono::steady_clock;

class TXScreen {
public:
  // Starts Xvfb (-noreset, so that it outlives its clients) at that size; throws a text when
  // there is no Xvfb or it lacks XTest or XDamage.
  TXScreen(int width, int height);
  ~TXScreen();
  TXScreen(const TXScreen&) = delete;
  TXScreen& operator=(const TXScreen&) = delete;

  const std::string& getDisplayName() const { return DisplayName; }

  struct TMap {
    Clock::time_point At;
    Window Id;
  };
  struct TDamage {
    Clock::time_point At;
    Window Id;
    XRectangle Area;
  };
  // Everything seen so far, in the order it came.
  const std::vector<TMap>& getMaps() const { return Maps; }
  const std::vector<TDamage>& getDamages() const { return Damages; }

  // Reads what has come, waiting for more until `until`.
  void Pump(Clock::time_point until);
  // Reads what has come, or else waits until something comes or `until`; whether it read any.
  bool ReadSome(Clock::time_point until);
  // Pumps until `done` holds (true) or `timeout` has passed (false).
  bool WaitUntil(const std::function<bool()>& done, Clock::duration timeout);
  void Sleep(Clock::duration duration) { Pump(Clock::now() + duration); }

  // From now on the window's damage is recorded.
  void Watch(Window window);
  // Damage of the watched windows whose rectangle is none of `ignored`.
  using TAreas = std::vector<XRectangle>;
  // Whether the damage counts: its rectangle is none of `ignored`.
  bool Counts(const TDamage& damage, const TAreas& ignored) const;
  // When the first damage after `after` came; none by the timeout.
  std::optional<Clock::time_point> FirstDamage(Clock::time_point after, Clock::duration timeout,
                                               const TAreas& ignored);
  // Waits until no damage has come for `gap`; returns when the last one came (or `after`).
  Clock::time_point Quiet(Clock::time_point after, Clock::duration gap, Clock::duration timeout,
                          const TAreas& ignored);

  // The window that has the keyboard focus and its title (empty for none).
  Window Focus();
  std::string Title(Window window);
  // The process that made the window (its _NET_WM_PID), 0 when it names none.
  pid_t Pid(Window window);
  // Waits until a window of that title has the focus; 0 when none has it by the timeout.
  Window WaitForFocus(const std::string& title, Clock::duration timeout);
  void SetFocus(Window window);

  // Presses or releases the key of an X key symbol; returns when it went to the server.
  Clock::time_point Key(unsigned long keysym, bool down);
  void Tap(unsigned long keysym);
  void Type(const std::string& text);
  void Click(Window window, int x, int y);

private:
  void Read(const XEvent& event, Clock::time_point at);
  // The index of the first damage that came after `after`.
  size_t FirstAfter(Clock::time_point after) const;

  pid_t Server = 0;
  std::string DisplayName;
  Display* Connection = nullptr;
  int DamageEvents = 0;
  std::vector<Damage> Damaged;
  std::vector<TMap> Maps;
  std::vector<TDamage> Damages;
};
