#include "engine/ttaskstatistic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <system_error>
#include <utility>

#include "platform/filesystem.h"
#include "toolkit/exception.h"

namespace {

// Toward zero; a figure that is no number or does not fit (a divisor of 0) counts as 0.
int32_t Truncate(double value) {
  if (!std::isfinite(value) || value <= std::numeric_limits<int32_t>::min() - 1.0 ||
      value >= std::numeric_limits<int32_t>::max() + 1.0)
    return 0;
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t TTaskStatistic::LastCurrentSpeed = 0;

TTaskStatistic::TTaskStatistic(std::string folder, std::string profileFolder)
    : Folder(std::move(folder)), ProfileFolder(std::move(profileFolder)), StartTime(Now()) {}

std::string TTaskStatistic::getFileName() const {
  return FileName.empty() ? FileNameAt(0) : FileName;
}

std::string TTaskStatistic::FileNameAt(int second) const {
  TDateTimeParts start = DecodeDateTime(StartTime);
  start.Millisecond = 0;
  const TDateTime named = EncodeDateTime(start) + second / 86400.0;
  return Folder + "/" + FormatDateTime("yyy-mm-dd-hh-nn-ss", named) + ".stat";
}

void TTaskStatistic::MakeFile() {
  // Names have whole seconds, and a second copy of the program, or a run begun in the second
  // the one before ended, may have taken this one: a later second keeps the name's form, which
  // every reader of the statistics takes apart, and the order of the runs.
  constexpr int kSeconds = 60;
  std::error_code failed;
  for (int second = 0; second < kSeconds; ++second) {
    const std::string name = FileNameAt(second);
    std::unique_ptr<TNewFile> file;
    failed = FileSystem().CreateFile(name, 0600, file);
    if (!failed) failed = file->Close();
    if (!failed) {
      FileName = name;
      return;
    }
    if (failed != std::errc::file_exists) break;
  }
  throw Exception("Cannot create file \"" + getFileName() + "\". " + failed.message());
}

void TTaskStatistic::Reset() {
  // Room for a line's keystrokes, so that a key adds to the log and the intervals without
  // allocating them anew (a key allocates nothing).
  constexpr int kLineRoom = 256;
  if (KeepsLog) {
    if (Log.Capacity() - Log.Count() < kLineRoom)
      Log.setCapacity(std::max(2 * Log.Capacity(), Log.Count() + kLineRoom));
    Intervals.reserve(kLineRoom);
  }
  Math.Reset();
  Timer.Start();
  Keystrokes = 0;
  Correct = 0;
  Errors = 0;
  Intervals.clear();
  IntervalsSum = 0;
  LastTime = Timer.getTime();
  if (KeepsLog) Log.Add("*");
}

void TTaskStatistic::AddKeystroke(int32_t time, unsigned char expected, unsigned char typed,
                                  bool interrupted) {
  if (time == 0) time = Timer.getTime();
  ++Keystrokes;
  if (typed == expected)
    ++Correct;
  else
    ++Errors;
  // The clock's milliseconds wrap at 2^32; the difference of two stamps stays right across.
  const uint32_t elapsed = static_cast<uint32_t>(time) - static_cast<uint32_t>(LastTime);
  const int32_t interval = static_cast<int32_t>(elapsed);
  LastTime = time;
  if (Correct + Errors > 1 && !interrupted) {
    // Negated in the same wrapping arithmetic: -INT32_MIN does not exist.
    const int32_t signedInterval = static_cast<int32_t>(typed == expected ? elapsed : 0u - elapsed);
    if (KeepsLog) Intervals.push_back(signedInterval);
    IntervalsSum += std::abs(static_cast<int64_t>(signedInterval));
    Math.Add(interval);
  }
  if (!KeepsLog) {
    Changed();
    return;
  }
  char line[24];
  char* end = std::to_chars(line, line + 12, interval).ptr;
  *end++ = '\t';
  *end++ = static_cast<char>(expected);
  *end++ = '\t';
  *end++ = static_cast<char>(typed);
  *end++ = '\t';
  if (interrupted) *end++ = '-';
  Log.Add(std::string(line, end));
  Changed();
}

void TTaskStatistic::Save() {
  BackgroundSaveDone();
  if (Folder.empty()) throw Exception("140E5929/H Can't save user data!");
  FileSystem().MakeFolders(Folder, 0777, ProfileFolder);
  const bool made = FileName.empty();
  if (made) MakeFile();
  try {
    Log.SaveToFile(FileName);
  } catch (const Exception&) {
    // An empty file would stand for a run that has no line.
    if (made) {
      FileSystem().Remove(FileName);
      FileName.clear();
    }
    throw;
  }
}

void TTaskStatistic::SaveInBackground() {
  if (!BackgroundSaveDone() || FileName.empty()) {
    Save();
    return;
  }
  auto write = [folder = Folder, profile = ProfileFolder, file = FileName, text = Log.Text()] {
    FileSystem().MakeFolders(folder, 0777, profile);
    return !FileSystem().ReplaceFile(file, text);
  };
  try {
    backgroundSave_ = std::async(std::launch::async, std::move(write));
  } catch (const std::system_error&) {
    // No thread to be had: the caller waits.
    Save();
  }
}

void TTaskStatistic::FinishSave() {
  if (!BackgroundSaveDone()) Save();
}

bool TTaskStatistic::BackgroundSaveDone() {
  return !backgroundSave_.valid() || backgroundSave_.get();
}

int32_t TTaskStatistic::getSpeed() const {
  if (Correct <= 1) return 0;
  const double minutes = IntervalsSum / 60000.0;
  const double perRight = minutes / (Correct - 1);
  return Truncate((Correct - 1) / (minutes + Errors * perRight));
}

int32_t TTaskStatistic::getCurrentSpeed() const {
  if (Math.getCount() >= 1) LastCurrentSpeed = Truncate(60000 / (Math.getMean() + 0.001));
  return LastCurrentSpeed;
}

double TTaskStatistic::getRhythm() const {
  if (Math.getCount() < 2) return 0;
  const double mean = Math.getMean();
  if (mean == 0) return 0;
  const double rhythm = std::pow(2.0, -(Math.getStdDev() / mean));
  return std::isfinite(rhythm) ? rhythm : 0;
}

int64_t TTaskStatistic::getTotalTime() const {
  // Whole numbers all: the sum is exact far beyond any file.
  const double sum = Math.getSum();
  return std::isfinite(sum) ? static_cast<int64_t>(sum) : 0;
}
