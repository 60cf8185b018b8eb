#include "engine/ttask.h"

#include "engine/tcourse.h"
#include "engine/tltgenerator.h"
#include "engine/ttaskstatistic.h"
#include "toolkit/exception.h"

namespace {

void Raise(const TTaskEvent& event) {
  if (event) event();
}

int32_t OrderForErrors(int32_t errors) {
  if (errors <= 3) return 4;
  if (errors <= 7) return 3;
  return 2;
}

}  // namespace

TTask::TTask(TCourse* course, const std::string& statisticFolder, const std::string& profileFolder)
    : Statistic(std::make_unique<TTaskStatistic>(statisticFolder, profileFolder)), Course(course) {}

TTask::~TTask() = default;

void TTask::KeyPressed(int32_t time, unsigned char character) {
  if (character == 0 || Position >= static_cast<int32_t>(Text.size())) return;
  Expected = static_cast<unsigned char>(Text[Position]);
  Typed = character;
  if (Typed == Expected) {
    RewardLetter(Expected);
    ++Position;
    ErrorText.clear();
    Raise(OnCorrect);
  } else {
    if (ErrorText.empty()) PenalizeLetters(Expected, Typed);
    ErrorText = std::string(1, static_cast<char>(Typed));
    Raise(OnError);
  }
  Statistic->AddKeystroke(time, Expected, Typed, Interrupted);
  Raise(OnChange);
  if (Position == static_cast<int32_t>(Text.size())) Raise(OnComplete);
  // The completion handler may already have begun the next line; the mark belongs to no key.
  Interrupted = false;
}

void TTask::NewTask() {
  TLTGenerator* generator = Generator();
  if (!generator) throw Exception("4C3B0DCB/F No base");
  if (RetryOrder == 0) {
    HadErrors = Statistic->getErrorCount() != 0;
    const int32_t speed = getSpeed();
    if (speed > 0) {
      const int32_t gap = speed - Length;
      Length += (gap > 0) - (gap < 0) + gap / 5;
      if (Length > 80) Length = 80;
      if (Length < 30) Length = 30;
    }
    RetryOrder = OrderForErrors(Statistic->getErrorCount());
  }
  generator->setOrder(RetryOrder);
  try {
    Text = generator->Generate(Length);
  } catch (...) {
    // No line: the weights and the statistic start afresh, and the next call asks again for
    // the line of this length and order.
    generator->ResetWeights();
    Statistic->Reset();
    throw;
  }
  RetryOrder = 0;
  generator->ResetWeights();
  Restart();
}

void TTask::Restart() {
  Position = 0;
  ErrorText.clear();
  Statistic->Reset();
  Raise(OnRestart);
  Raise(OnChange);
}

TLTGenerator* TTask::Generator() const { return Course ? Course->getGenerator() : nullptr; }

int32_t TTask::getSpeed() const { return Statistic->getSpeed(); }

void TTask::RewardLetter(unsigned char letter) {
  TLTGenerator* generator = Generator();
  if (!generator) return;
  generator->setWeight(letter, (generator->getWeight(letter) - 1) * 0.8 + 1);
}

void TTask::PenalizeLetters(unsigned char expected, unsigned char typed) {
  TLTGenerator* generator = Generator();
  if (!generator) return;
  generator->setWeight(expected, generator->getWeight(expected) * 20);
  generator->setWeight(typed, generator->getWeight(typed) * 20);
}
