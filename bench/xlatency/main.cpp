// Key to pixels and start-up on an X server of its own (Xvfb, 1920 x 1200): the real program
// on its training screen, reached as a person does from a fresh data folder, against a bare Qt
// line edit, interleaved round by round. Keys go through XTest; a key's first pixels are the
// first damage of the window after it, a line's completion the last damage before the window
// has been quiet for a while. Prints each round's medians and 90th percentiles and, at the end,
// the median of the rounds and the program's ratio to the line edit. The keys of the last lines
// of each program, and as many of the line edit's, are typed while a busy loop runs on every
// core ("busy" measures). The lines to type are worked out beside the program from what it logged
// (its statistics file), and each line is checked against that log once it is typed; a line the
// program drew from another second than the one guessed (on a machine that held its line's end
// up for most of a second) is measured by nothing, and the lines start again on a new screen.
//
// The program's copy has the shipped wallpapers, or with "--wallpapers empty" none: the built-in
// picture then covers the screen at every line.
//
// Usage: xlatency_bench [--rounds N] [--lines N] [--busy-lines N] [--wallpapers shipped|empty]
//                       [--program PATH] [--bare PATH]
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "busycores.h"
#include "expectedlines.h"
#include "launch.h"
#include "xscreen.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// What is quiet enough before a key, and after a line's last key for its next line to be drawn.
constexpr Clock::duration kKeyQuiet = 60ms, kLineQuiet = 250ms;
constexpr int kScreenWidth = 1920, kScreenHeight = 1200;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct TOptions {
  int Rounds = 3;
  int Lines = 4;
  int BusyLines = 2;
  bool EmptyWallpapers = false;
  std::string Program = std::string(LOMTAK_DIST_DIR) + "/lomtak";
  std::string Bare = LOMTAK_BAREEDIT;
};

// The samples of one round, by what was measured, in ms.
using TSamples = std::map<std::string, std::vector<double>>;

double Percentile(std::vector<double> values, int percent) {
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, values.size() * percent / 100)];
}

// A fresh copy of the installation tree that is its own data folder: no users, no settings.
class TInstallation {
public:
  TInstallation(const std::string& program, bool emptyWallpapers) {
    char pattern[] = "/tmp/xlatency-XXXXXX";
    Folder = mkdtemp(pattern);
    fs::copy(fs::path(program).parent_path(), Folder / "prog", fs::copy_options::recursive);
    fs::remove_all(Folder / "prog/Users");
    fs::remove(Folder / "prog/Lomtak.ini");
    if (emptyWallpapers)
      for (const auto& entry : fs::directory_iterator(Folder / "prog/Environment/Wallpapers"))
        fs::remove(entry.path());
    Program = (Folder / "prog" / fs::path(program).filename()).string();
  }
  ~TInstallation() { fs::remove_all(Folder); }

  // What the statistics file written last holds: the log of the run, once a line is done.
  std::string LastLog() const {
    fs::path last;
    fs::file_time_type lastTime;
    for (const auto& entry : fs::recursive_directory_iterator(Folder / "prog/Users"))
      if (entry.path().extension() == ".stat" &&
          (last.empty() || entry.last_write_time() > lastTime)) {
        last = entry.path();
        lastTime = entry.last_write_time();
      }
    std::ifstream file(last);
    std::stringstream log;
    log << file.rdbuf();
    return log.str();
  }

  fs::path Folder;
  std::string Program;
};

// Waits for the next second of the wall clock to begin: the program reseeds from the clock in
// whole seconds, so that a key sent now is handled within the second it names unless the
// machine holds it up for most of a second.
std::time_t NextSecond(TXScreen& x) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  x.Sleep(std::chrono::nanoseconds(1000000000L - now.tv_nsec) + 5ms);
  return std::time(nullptr);
}

// The key symbol of a character of a line.
unsigned long Keysym(char c) { return c == ' ' ? XK_space : static_cast<unsigned char>(c); }

// One key press, measured from its sending to the first damage of the window: waits for quiet
// first, and releases the key once its first pixels came.
std::optional<double> Press(TXScreen& x, unsigned long keysym, const TXScreen::TAreas& idle,
                            Clock::time_point* sent = nullptr) {
  x.Quiet(Clock::now(), kKeyQuiet, 2s, idle);
  const Clock::time_point at = x.Key(keysym, true);
  if (sent) *sent = at;
  const std::optional<Clock::time_point> damage = x.FirstDamage(at, 1s, idle);
  std::optional<double> took;
  if (damage) took = Ms(*damage - at);
  x.Key(keysym, false);
  return took;
}

// The rectangles the window damages by itself while nobody types (a clock, a blinking cursor).
TXScreen::TAreas IdleAreas(TXScreen& x) {
  x.Quiet(Clock::now(), kKeyQuiet, 2s, {});
  const Clock::time_point from = Clock::now();
  x.Sleep(2500ms);
  TXScreen::TAreas areas;
  for (const TXScreen::TDamage& damage : x.getDamages())
    if (damage.At > from) areas.push_back(damage.Area);
  return areas;
}

// The first window of the program mapped after the first `after` maps. The maps of a program
// ended just before may still come in: a window is known by the process it names.
TXScreen::TMap WaitForMap(TXScreen& x, size_t after, const TLaunch& program,
                          Clock::duration timeout) {
  std::optional<TXScreen::TMap> found;
  x.WaitUntil(
      [&] {
        for (; !found && after < x.getMaps().size(); ++after)
          if (x.Pid(x.getMaps()[after].Id) == program.Pid()) found = x.getMaps()[after];
        return found.has_value();
      },
      timeout);
  if (!found) throw std::runtime_error("no window came up");
  return *found;
}

Window NeedFocus(TXScreen& x, const std::string& title) {
  const Window window = x.WaitForFocus(title, 20s);
  if (!window) throw std::runtime_error("no window '" + title + "' got the focus");
  return window;
}

// A letter of the line's keyboard that is not `expected`.
char WrongFor(char expected) { return expected == 'k' ? 'j' : 'k'; }

// A training screen opened from the start window, and the second in which it most likely asked
// for its first line.
struct TScreen {
  Window Id = 0;
  std::time_t Opened = 0;
};

// Enter on the start window, at the start of a second: the training screen, drawn, with its
// manual closed. Measures the opening into `samples` where given.
TScreen OpenScreen(TXScreen& x, const TLaunch& program, const std::string& course,
                   TSamples* samples) {
  const std::time_t opened = NextSecond(x);
  const size_t mapsBefore = x.getMaps().size();
  const Clock::time_point enter = x.Key(XK_Return, true);
  x.Key(XK_Return, false);
  const TXScreen::TMap mapped = WaitForMap(x, mapsBefore, program, 10s);
  x.Watch(mapped.Id);
  // Drawn: its own damage quiet, whatever opens in front of it.
  const Clock::time_point drawn = x.Quiet(mapped.At, kLineQuiet, 5s, {});
  if (samples) {
    (*samples)["start: Enter to " + course + " training screen mapped"].push_back(
        Ms(mapped.At - enter));
    (*samples)["start: Enter to " + course + " training screen drawn"].push_back(Ms(drawn - enter));
  }
  // The manual opens in front of the screen until its box is unticked.
  NeedFocus(x, "Lomtak");
  x.Tap(XK_Escape);
  if (!x.WaitUntil([&] { return x.Focus() == mapped.Id; }, 5s)) x.SetFocus(mapped.Id);
  return {mapped.Id, opened};
}

// The pixels the damage from `from` to `to` covered, in windows of the screen's size (a pixel
// damaged twice counts twice).
double Repainted(TXScreen& x, Clock::time_point from, Clock::time_point to,
                 const TXScreen::TAreas& idle) {
  double pixels = 0;
  for (const TXScreen::TDamage& damage : x.getDamages()) {
    if (damage.At > from && damage.At <= to && x.Counts(damage, idle))
      pixels += double(damage.Area.width) * damage.Area.height;
  }
  return pixels / (double(kScreenWidth) * kScreenHeight);
}

// The program from its start through a new user to the start window, then one training screen
// of the course (the first of the start window's list, or the one after it); on the English
// one, lines typed right with a wrong key and a Backspace here and there.
void RunProgram(TXScreen& x, const TOptions& options, bool second, TSamples& samples) {
  TInstallation installation(options.Program, options.EmptyWallpapers);
  const size_t before = x.getMaps().size();
  const Clock::time_point started = Clock::now();
  TLaunch program(installation.Program, installation.Folder.string(), x.getDisplayName(),
                  (installation.Folder / "output.txt").string());
  samples["start: exec to first window mapped"].push_back(
      Ms(WaitForMap(x, before, program, 30s).At - started));

  NeedFocus(x, "AddNewUserForm");
  x.Type("anna");
  x.Tap(XK_Return);
  const Window login = NeedFocus(x, "Lomtak Login");
  x.Sleep(200ms);
  // The first row of the list: a click there starts the user, who has no password.
  x.Click(login, 160, 102);
  NeedFocus(x, "Start");
  if (second) x.Tap(XK_Down);

  const std::string course = second ? "Russian" : "English";
  TScreen screen = OpenScreen(x, program, course, &samples);
  // The start window stores its choice as it goes.
  std::ifstream profile(installation.Folder / "prog/Users/anna/Profile.ini");
  std::stringstream profileText;
  profileText << profile.rdbuf();
  if (profileText.str().find("Language='" + course + "'") == std::string::npos)
    throw std::runtime_error("the start window did not start the " + course + " course");
  if (second) return;

  const TXScreen::TAreas idle = IdleAreas(x);
  TExpectedLines lines(fs::path(installation.Program).parent_path().string(), course);
  lines.Restart(screen.Opened);
  // The lines of the screen's statistics file, and the lines typed on a wrong guess.
  int linesDone = 0, wrongGuesses = 0;
  std::optional<TBusyCores> busy;
  for (int line = 0; line < options.Lines + options.BusyLines;) {
    if (line == options.Lines && !busy) busy.emplace();
    const std::string under = busy ? "busy " : "";
    const std::string text = lines.Text();
    std::string typed;
    TSamples measured;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      const char expected = text[i];
      // Now and then a wrong key first, and after some of them a Backspace, which the
      // training screen passes on: two errors a line keeps the line's order.
      if (i % 13 == 6) {
        const char wrong = WrongFor(expected);
        if (auto took = Press(x, static_cast<unsigned char>(wrong), idle))
          measured[under + "key: wrong"].push_back(*took);
        typed += wrong;
        if (i % 26 == 6)
          if (auto took = Press(x, XK_BackSpace, idle))
            measured[under + "key: Backspace"].push_back(*took);
      }
      typed += expected;
      if (auto took = Press(x, Keysym(expected), idle))
        measured[under + "key: right"].push_back(*took);
    }
    typed += text.back();
    x.Quiet(Clock::now(), kKeyQuiet, 2s, idle);
    const std::time_t asked = NextSecond(x);
    const Clock::time_point at = x.Key(Keysym(text.back()), true);
    const std::optional<Clock::time_point> first = x.FirstDamage(at, 1s, idle);
    x.Key(Keysym(text.back()), false);
    x.Quiet(at, kLineQuiet, 5s, idle);
    // A save held up longer than the quiet gap (a busy disk) leaves the line's end half done:
    // the line is drawn once its log is written and the window quiet again.
    std::string log;
    const bool logged = x.WaitUntil(
        [&] {
          log = installation.LastLog();
          return TExpectedLines::Exercises(log) > linesDone;
        },
        5s);
    const Clock::time_point last = x.Quiet(at, kLineQuiet, 5s, idle);
    if (!logged) {
      // The program drew its line in the second after the one guessed (a line's end or a
      // screen's opening that crossed into it): the keys typed were not for its line and
      // measure nothing. A new training screen starts the run of lines again.
      if (++wrongGuesses == 10) throw std::runtime_error("ten lines typed were not the program's");
      x.Tap(XK_Escape);
      NeedFocus(x, "Start");
      screen = OpenScreen(x, program, course, nullptr);
      lines.Restart(screen.Opened);
      linesDone = 0;
      continue;
    }
    if (first) measured[under + "line: last key to first pixels"].push_back(Ms(*first - at));
    measured[under + "line: last key to next line drawn"].push_back(Ms(last - at));
    measured[under + "line: pixels repainted, windows (not ms)"].push_back(
        Repainted(x, at, last, idle));
    for (const auto& [name, values] : measured)
      samples[name].insert(samples[name].end(), values.begin(), values.end());
    ++linesDone;
    const std::string error = lines.Learn(log, typed);
    if (!error.empty())
      throw std::runtime_error("line " + std::to_string(line + 1) +
                               ": the program's log is not the model's line: it " + error);
    lines.Next(asked);
    ++line;
  }
}

// The bare line edit: started, then as many letters, wrong ones and Backspaces as the program
// gets, the field emptied between lines.
void RunBare(TXScreen& x, const TOptions& options, const TSamples& program, TSamples& samples) {
  char pattern[] = "/tmp/xlatency-XXXXXX";
  const fs::path folder = mkdtemp(pattern);
  {
    const size_t before = x.getMaps().size();
    const Clock::time_point started = Clock::now();
    TLaunch bare(options.Bare, folder.string(), x.getDisplayName(),
                 (folder / "output.txt").string());
    const TXScreen::TMap mapped = WaitForMap(x, before, bare, 30s);
    const Window window = mapped.Id;
    samples["start: exec to first window mapped"].push_back(Ms(mapped.At - started));
    x.Watch(window);
    x.SetFocus(window);
    const TXScreen::TAreas idle = IdleAreas(x);
    const std::string text = "the quick brown fox jumps over the lazy dog ";
    auto count = [&](const std::string& name) {
      auto found = program.find(name);
      return found == program.end() ? size_t{0} : found->second.size();
    };
    // As many of each key as the program got, idle and then under the same load.
    for (const std::string under : {"", "busy "}) {
      std::optional<TBusyCores> busy;
      if (!under.empty()) busy.emplace();
      for (size_t i = 0; i < count(under + "key: right"); ++i) {
        const char c = text[i % text.size()];
        if (auto took = Press(x, Keysym(c), idle)) samples[under + "key: right"].push_back(*took);
        if (i < count(under + "key: wrong"))
          if (auto took = Press(x, 'k', idle)) samples[under + "key: wrong"].push_back(*took);
        if (i < count(under + "key: Backspace"))
          if (auto took = Press(x, XK_BackSpace, idle))
            samples[under + "key: Backspace"].push_back(*took);
        // A line's worth: the field emptied, unmeasured, so that it never scrolls.
        if (i % 60 == 59)
          for (int k = 0; k < 70; ++k) x.Tap(XK_BackSpace);
      }
      for (int k = 0; k < 70; ++k) x.Tap(XK_BackSpace);
    }
  }
  fs::remove_all(folder);
}

void PrintRound(int round, const TSamples& program, const TSamples& bare) {
  std::printf("round %d%44s%-20s%s\n", round, "", "lomtak median  p90", "bareedit median  p90");
  for (const auto& [name, values] : program) {
    std::printf("  %-48s %7.2f %7.2f", name.c_str(), Percentile(values, 50),
                Percentile(values, 90));
    auto found = bare.find(name);
    if (found != bare.end() && !found->second.empty())
      std::printf("      %7.2f %7.2f", Percentile(found->second, 50),
                  Percentile(found->second, 90));
    std::printf("   (%zu)\n", values.size());
  }
}

TOptions Parse(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i], value = argv[i + 1];
    if (name == "--rounds") {
      options.Rounds = std::stoi(value);
    } else if (name == "--lines") {
      options.Lines = std::stoi(value);
    } else if (name == "--busy-lines") {
      options.BusyLines = std::stoi(value);
    } else if (name == "--wallpapers" && (value == "shipped" || value == "empty")) {
      options.EmptyWallpapers = value == "empty";
    } else if (name == "--program") {
      options.Program = value;
    } else if (name == "--bare") {
      options.Bare = value;
    } else {
      throw std::runtime_error("unknown option " + name);
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) try {
  setvbuf(stdout, nullptr, _IOLBF, 0);
  const TOptions options = Parse(argc, argv);
  TXScreen x(kScreenWidth, kScreenHeight);
  // Per measure, per program: the medians and 90th percentiles of the rounds.
  std::map<std::string, std::vector<double>> medians[2], p90s[2];
  for (int round = 1; round <= options.Rounds; ++round) {
    TSamples program, bare;
    RunProgram(x, options, false, program);
    RunProgram(x, options, true, program);
    RunBare(x, options, program, bare);
    PrintRound(round, program, bare);
    int which = 0;
    for (const TSamples* samples : {&program, &bare}) {
      for (const auto& [name, values] : *samples) {
        if (values.empty()) continue;
        medians[which][name].push_back(Percentile(values, 50));
        p90s[which][name].push_back(Percentile(values, 90));
      }
      ++which;
    }
  }
  std::printf("\nmedian of %d rounds, ms%28s%-20s%-22s%s\n", options.Rounds, "",
              "lomtak median  p90", "bareedit median  p90", "ratio median  p90");
  for (const auto& [name, values] : medians[0]) {
    const double median = Percentile(values, 50), p90 = Percentile(p90s[0][name], 50);
    std::printf("  %-48s %7.2f %7.2f", name.c_str(), median, p90);
    if (medians[1].count(name)) {
      const double bareMedian = Percentile(medians[1][name], 50);
      const double bareP90 = Percentile(p90s[1][name], 50);
      std::printf("      %7.2f %7.2f      %5.2f %5.2f", bareMedian, bareP90, median / bareMedian,
                  p90 / bareP90);
    }
    std::printf("\n");
  }
  return 0;
} catch (const std::exception& error) {
  std::fprintf(stderr, "xlatency_bench: %s\n", error.what());
  return 1;
}
