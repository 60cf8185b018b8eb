#pragma once
// The exercise of a training run: the current line, the typing position, the judging of every
// typed character with the adaptation of the course generator's letter weights, and the length
// and Markov order of the next line. Owns the run's keystroke statistics; does not own the
// course. User-interface thread only; every event runs inside the operation that raises it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TCourse;
class TLTGenerator;
class TTaskStatistic;

// An event of the exercise line; not the windows layer's TNotifyEvent, which takes a sender.
using TTaskEvent = std::function<void()>;

class TTask {
public:
  // The run's statistics are saved in that folder (none: never saved), inside the user's
  // profile folder, which a save never makes.
  explicit TTask(TCourse* course, const std::string& statisticFolder = "",
                 const std::string& profileFolder = "");
  ~TTask();
  TTask(const TTask&) = delete;
  TTask& operator=(const TTask&) = delete;

  // Judges one typed character stamped with `time` (0: now). A right one moves on, a wrong one
  // stays pending; a character 0 and any key after the line's end change nothing.
  void KeyPressed(int32_t time, unsigned char character);
  // Length from the speed, order from the errors of the line just typed or given up, then the
  // next line from the course's generator, with its weights reset, and Restart. When the
  // generator fails, the weights and the statistic are reset and the error passes on; the next
  // call asks for the same length and order again.
  void NewTask();
  // The current line from its beginning, as a new exercise of the log.
  void Restart();
  // The next keystroke is logged as interrupted and not timed.
  void MarkInterrupted() { Interrupted = true; }
  int32_t getSpeed() const;
  TTaskStatistic* getStatistic() const { return Statistic.get(); }

  // The weight above or below 1 shrinks by a fifth.
  void RewardLetter(unsigned char letter);
  // Both letters' weights times 20.
  void PenalizeLetters(unsigned char expected, unsigned char typed);

  std::unique_ptr<TTaskStatistic> Statistic;
  int32_t Length = 30;  // of the next line: 30 to 80
  std::string Text;
  std::string ErrorText;  // the pending wrong character, or empty
  unsigned char Expected = 0;
  unsigned char Typed = 0;
  bool HadErrors = false;  // the line before this one had a wrong keystroke
  TCourse* Course;
  TTaskEvent OnChange;
  TTaskEvent OnError;
  TTaskEvent OnCorrect;
  TTaskEvent OnRestart;
  TTaskEvent OnComplete;
  int32_t Position = 0;  // characters typed right: the index of the expected one
  bool Interrupted = false;

private:
  // The course's generator; none while the course is not loaded.
  TLTGenerator* Generator() const;

  // The order of a line that the generator failed to give, 0 when none failed.
  int32_t RetryOrder = 0;
};
