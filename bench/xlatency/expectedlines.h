#pragma once
// The lines the program's training screen shows for a course, worked out beside it: the
// program's own course, generator and exercise line, fed the keys typed there, with the random
// draws the program makes before each line (the wallpaper's reseed from the clock, in whole
// seconds, and its pick of the next picture). Knows nothing of X. One thread.

#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Installation;
class TTask;

class TExpectedLines {
public:
  TExpectedLines(const std::string& installationDir, const std::string& course);
  ~TExpectedLines();

  // The next line when the program's clock read `second` as the line was asked for.
  const std::string& Next(std::time_t second);
  void Key(int32_t milliseconds, unsigned char character);
  const std::string& Text() const;

  // The expected and typed characters of every keystroke of a statistics log.
  using TKeystrokes = std::vector<std::pair<char, char>>;
  static TKeystrokes Keystrokes(const std::string& log);
  // Those of the run so far.
  TKeystrokes Logged() const;

private:
  std::unique_ptr<Installation> Program;
  std::unique_ptr<TTask> Task;
  int Wallpapers = 0;
};
