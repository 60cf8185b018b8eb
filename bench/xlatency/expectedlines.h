#pragma once
// The lines the program's training screen shows for a course, worked out beside it: the
// program's own course, generator and exercise line, fed the keystrokes the program logged,
// with its own intervals, and the random draws the program makes before each line (the
// wallpaper's reseed from the clock, in whole seconds, and its pick of the next picture). Its
// clock never enters the model, so the model cannot drift from the program. Knows nothing of
// X. One thread.

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

class Installation;
class TCourse;
class TTask;

class TExpectedLines {
public:
  TExpectedLines(const std::string& installationDir, const std::string& course);
  ~TExpectedLines();

  // The next line when the program's clock read `second` as the line was asked for.
  const std::string& Next(std::time_t second);
  const std::string& Text() const;
  // The first line of a new training screen, asked for in that second.
  const std::string& Restart(std::time_t second);

  // One keystroke of a statistics log.
  struct TKeystroke {
    int32_t Interval = 0;
    char Expected = 0, Typed = 0;
    bool Interrupted = false;
  };
  // How many exercise lines the log holds.
  static int Exercises(const std::string& log);
  // The keystrokes of the log's last exercise line.
  static std::vector<TKeystroke> LastLine(const std::string& log);
  // Takes the line just typed from the program's log, its keystrokes with the program's
  // intervals. Empty when they were the keys `typed` on the model's line; otherwise, having
  // learnt nothing, what differed.
  std::string Learn(const std::string& log, const std::string& typed);

private:
  std::unique_ptr<Installation> Program;
  TCourse* Course = nullptr;
  std::string StatisticFolder;
  std::unique_ptr<TTask> Task;
  int Wallpapers = 0;
};
