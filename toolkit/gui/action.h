#pragma once
// Actions: named commands of a window, each with a handler, an enabled state and a shortcut
// key that works while the window is active, also while an edit has the focus. The shortcut
// belongs to the window found up the action's owner chain. User-interface thread only.

#include <memory>
#include <string>

#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"

class QAction;

// A virtual-key code with the modifier bits below ("Enter" is 13, "Esc" 27, "Insert" 45).
using TShortCut = int;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// A window's group of actions; it owns nothing of its own beyond its actions.
class TActionList : public TComponent {
public:
  using TComponent::TComponent;
};

class TAction : public TComponent {
public:
  // The owner is the window or its action list.
  explicit TAction(TComponent* Owner);
  ~TAction() override;

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption) { caption_ = caption; }
  const std::string& Hint() const { return hint_; }
  void setHint(const std::string& hint) { hint_ = hint; }
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  TShortCut ShortCut() const { return shortCut_; }
  void setShortCut(TShortCut shortCut);

  // Runs OnExecute when the action is enabled and has one; true when it ran. Errors pass to
  // the caller (a shortcut runs it through the dispatch).
  bool Execute();

  TNotifyEvent OnExecute;

protected:
  void Publish(TPropList& properties) override;

private:
  std::unique_ptr<QAction> action_;
  std::string caption_;
  std::string hint_;
  bool enabled_ = true;
  TShortCut shortCut_ = 0;
};
