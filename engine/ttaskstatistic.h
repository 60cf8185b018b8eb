#pragma once
// The keystroke log of one training run and the figures of its current exercise line: speed,
// current speed (tempo), rhythm and errors. Owns the log of the whole run, which Save writes as
// the run's ".stat" file in its statistics folder (the user's of the course). Owned by the exercise
// line (or by a reader that replays a file). User-interface thread only: the last current speed
// is one value for the whole program. A save in the background writes a copy of the log on a
// worker thread of its own.

#include <cstdint>
#include <future>
#include <string>
#include <vector>

#include "engine/tmathstatistic.h"
#include "platform/thighresolutiontimer.h"
#include "toolkit/datetime.h"
#include "toolkit/stringlist.h"

class TTaskStatistic {
public:
  // Starts the run now, to be saved in that folder; without one Save refuses. Save makes the
  // missing folders below `profileFolder` (when given), never that folder itself: a user deleted
  // meanwhile is not brought back by a save. Writes nothing.
  explicit TTaskStatistic(std::string folder = "", std::string profileFolder = "");
  // Waits for a save in the background.
  virtual ~TTaskStatistic() = default;

  const std::string& getFolder() const { return Folder; }
  // The file Save writes: the folder and the start time "yyyy-mm-dd-hh-nn-ss.stat", or, where a
  // file of another run (another copy of the program, a run of the same second) has that name,
  // the first second after it whose name is free. Fixed by the first Save.
  std::string getFileName() const;

  // Begins a new exercise line: a "*" line in the log, the line's counters at 0.
  void Reset();
  // Records one keystroke; a time of 0 takes the current time. The first keystroke of a line
  // and an interrupted one are logged and counted, but not timed.
  void AddKeystroke(int32_t time, unsigned char expected, unsigned char typed, bool interrupted);
  // Replaces the run's file with the whole log, creating the folders; the first Save makes the
  // file anew, so that no file of another run is ever replaced. Raises "140E5929/H Can't save
  // user data!" without a folder, and the file error when it cannot be written. The log stays.
  // Waits for a save in the background first.
  void Save();
  // Save, the writing of the log as it is now left to a worker once the run's file is made: the
  // caller goes on while the disk syncs. Where the worker's last save failed, this one is a
  // Save, so that its error is raised.
  void SaveInBackground();
  // Waits for a save in the background; where it failed, saves again, raising the error.
  void FinishSave();

  int32_t getKeystrokes() const { return Keystrokes; }
  int32_t getErrorCount() const { return Errors; }
  // Net right keystrokes per minute, a wrong one costing the mean time of a right one.
  int32_t getSpeed() const;
  // Keystrokes per minute from the mean timed interval; a line without timed keystrokes gives
  // the value computed last, by any statistic.
  int32_t getCurrentSpeed() const;
  // 2 to the power -(deviation / mean) of the timed intervals: 1 for even typing, toward 0.
  double getRhythm() const;
  // The sum of the timed intervals in ms; 64-bit, as a replayed line may hold more than 24 days.
  int64_t getTotalTime() const;

  // Called after every keystroke.
  virtual void Changed() { Modified = true; }

  bool Modified = false;
  std::string Folder;
  std::string ProfileFolder;
  TDateTime StartTime;
  TStringList Log;
  TMathStatistic Math;
  THighResolutionTimer Timer;
  int32_t LastTime = 0;
  int32_t Keystrokes = 0;
  int32_t Correct = 0;
  int32_t Errors = 0;
  // Timed intervals of the line in ms: positive for a right keystroke, negative for a wrong one.
  std::vector<int32_t> Intervals;
  // Off for a replay, which is never saved: neither the log nor the intervals are kept, only
  // the figures, so a line of any length takes no memory.
  bool KeepsLog = true;

private:
  // The name of the run's file: a second after the start time.
  std::string FileNameAt(int second) const;
  // Makes the run's file, empty, under the first free name; raises the file error.
  void MakeFile();
  // Waits for a save in the background; false when it failed.
  bool BackgroundSaveDone();

  // The file made by the first Save; empty before.
  std::string FileName;
  // The sum of the absolute values of the line's intervals, kept or not.
  int64_t IntervalsSum = 0;
  // The save in the background, true once it wrote the file; invalid when none is pending.
  std::future<bool> backgroundSave_;
  static int32_t LastCurrentSpeed;
};
