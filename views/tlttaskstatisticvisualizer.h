#pragma once
// The result panel of the training screen: a rounded box with the figures of the line just
// typed, one per line as caption, " : " and value: proficiency, tempo, stability and errors.
// Captions and value templates are published texts, so localization replaces them; the values
// fill bracketed placeholders of the templates. The figures are copies taken by UpdateAndShow.
// Does not own the task. User-interface thread only.

#include <cstdint>
#include <string>

#include "toolkit/gui/paintbox.h"

class TIniOptions;
class TTask;

// The figures of one exercise line, as the panel shows them.
struct TTaskFigures {
  int32_t Speed = 0;
  int32_t CurrentSpeed = 0;
  double Rhythm = 0;
  int32_t Errors = 0;
  // Right keystrokes minus wrong ones: the base of the error percentage.
  int32_t ErrorBase = 0;
};

class TLTTaskStatisticVisualizer : public TPaintBox {
public:
  explicit TLTTaskStatisticVisualizer(TComponent* Owner);
  ~TLTTaskStatisticVisualizer() override;

  void AttachTask(TTask* task) { task_ = task; }
  // Copies the figures of the task's statistic (without a task: -1 everywhere) and shows the
  // panel.
  void UpdateAndShow();
  void Paint() override;
  // The text at (x, y), clipped to the panel's margins on its background.
  void PrintText(int x, int y, const std::string& text);
  // The value text of line 1 to 4, the line's template with its placeholders filled.
  std::string ValueText(int line) const;

  // The text, border and background colours from a theme section; no repaint.
  void LoadTheme(TIniOptions* options, const std::string& section);
  // The panel keeps no state of its own; these are here so that the training screen treats
  // all its views alike.
  void LoadState(TIniOptions*, const std::string&) {}
  void SaveState(TIniOptions*, const std::string&) {}

  std::string TempoCaption;
  std::string StabilityCaption;
  std::string ErrorsCaption;
  std::string ProQuotientCaption;
  std::string ProQUnit;
  std::string TempoUnit;
  std::string StabilityUnit;
  std::string ErrorsUnit;
  double AverageWordLength = 1.0;
  TTaskFigures Figures;

protected:
  void Publish(TPropList& properties) override;

private:
  TTask* task_ = nullptr;
  int rightMargin_ = 10;
  int verticalMargin_ = 10;
  int cornerSize_ = 10;
  TColor backgroundColor_ = 0xAFE2E2;
  TColor borderColor_ = 0x3C8080;
  int valueColumn_ = 0;
  int lineHeight_ = 0;
};
