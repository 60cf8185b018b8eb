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
  TCourse* loaded = Program->root().getCourses()->getCourse(course);
  loaded->Load({});
  TUser* typist = Program->root().getUsers()->Add("Typist");
  Task = std::make_unique<TTask>(loaded, typist->getStatisticFolder(course));
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

void TExpectedLines::Key(int32_t milliseconds, unsigned char character) {
  Task->KeyPressed(milliseconds, character);
}

const std::string& TExpectedLines::Text() const { return Task->Text; }

TExpectedLines::TKeystrokes TExpectedLines::Keystrokes(const std::string& log) {
  TKeystrokes keystrokes;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    const size_t first = line.find('\t');
    if (first == std::string::npos || first + 3 >= line.size()) continue;
    keystrokes.emplace_back(line[first + 1], line[first + 3]);
  }
  return keystrokes;
}

TExpectedLines::TKeystrokes TExpectedLines::Logged() const {
  std::string log;
  const TStringList& lines = Task->getStatistic()->Log;
  for (int i = 0; i < lines.Count(); ++i) log += lines.Strings(i) + "\n";
  return Keystrokes(log);
}
