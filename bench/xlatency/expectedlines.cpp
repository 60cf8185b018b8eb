#include "expectedlines.h"

#include <filesystem>
#include <sstream>

#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tplaylist.h"
#include "support/installation.h"
#include "toolkit/random.h"
#include "users/tuser.h"
#include "users/tusers.h"

TExpectedLines::TExpectedLines(const std::string& installationDir, const std::string& course)
    : Program(std::make_unique<Installation>()) {
  const std::string courses = installationDir + "/Modules/Languages/";
  for (const char* extension : {".Base", ".Layout", ".Info"})
    std::filesystem::copy_file(courses + course + extension,
                               Program->getCoursesDir() + "/" + course + extension);
  Course = Program->root().getCourses()->getCourse(course);
  Course->Load({});
  StatisticFolder = Program->root().getUsers()->Add("Typist")->getStatisticFolder(course);
  Task = std::make_unique<TTask>(Course, StatisticFolder);
  TPlayList wallpapers;
  wallpapers.LoadFolder(installationDir + "/Environment/Wallpapers", "*.jpg");
  Wallpapers = wallpapers.getFiles().Count();
}

TExpectedLines::~TExpectedLines() = default;

const std::string& TExpectedLines::Next(std::time_t second) {
  // What the wallpaper's pick of its next picture draws.
  SeedRandom(static_cast<uint32_t>(second));
  if (Wallpapers > 1) Random31();
  Task->NewTask();
  return Task->Text;
}

const std::string& TExpectedLines::Restart(std::time_t second) {
  Task = std::make_unique<TTask>(Course, StatisticFolder);
  return Next(second);
}

const std::string& TExpectedLines::Text() const { return Task->Text; }

int TExpectedLines::Exercises(const std::string& log) {
  int count = 0;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) count += line == "*\r" || line == "*";
  return count;
}

std::vector<TExpectedLines::TKeystroke> TExpectedLines::LastLine(const std::string& log) {
  std::vector<TKeystroke> keystrokes;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "*") {
      keystrokes.clear();
      continue;
    }
    // interval TAB expected TAB typed TAB mark: the characters may be blanks or digits.
    const size_t first = line.find('\t');
    if (first == std::string::npos || first + 4 >= line.size()) continue;
    TKeystroke keystroke;
    keystroke.Interval = std::stoi(line.substr(0, first));
    keystroke.Expected = line[first + 1];
    keystroke.Typed = line[first + 3];
    keystroke.Interrupted = line.compare(first + 5, std::string::npos, "-") == 0;
    keystrokes.push_back(keystroke);
  }
  return keystrokes;
}

std::string TExpectedLines::Learn(const std::string& log, const std::string& typed) {
  const std::vector<TKeystroke> keystrokes = LastLine(log);
  std::string logged, expected;
  for (const TKeystroke& keystroke : keystrokes) {
    logged += keystroke.Typed;
    expected += keystroke.Expected;
  }
  if (logged != typed) return "logged the keys '" + logged + "' for the keys typed '" + typed + "'";
  // The program's expected character of each keystroke, as the model's line gives it: a right
  // key moves on, a wrong one stays.
  const std::string& text = Task->Text;
  std::string model;
  size_t position = 0;
  for (const TKeystroke& keystroke : keystrokes) {
    model += position < text.size() ? text[position] : '\0';
    if (keystroke.Typed == model.back()) ++position;
  }
  if (model != expected || position != text.size())
    return "expected the characters '" + expected + "' where the model's line '" + text +
           "' expects '" + model + "'";
  // Any start will do: only differences enter the figures, and the first keystroke is untimed.
  int32_t time = 1000000;
  for (const TKeystroke& keystroke : keystrokes) {
    if (keystroke.Interrupted) {
      Task->MarkInterrupted();
    } else {
      time += keystroke.Interval;
    }
    Task->KeyPressed(time, static_cast<unsigned char>(keystroke.Typed));
  }
  return "";
}
