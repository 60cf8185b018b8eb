#pragma once
// The hidden main window. Built without a user, it builds and owns the application object for
// the whole run; its start timer runs the run sequence once, 100 ms after the message loop has
// started, and then closes the window, which ends the program. While it lives, every error
// that reaches the message loop is shown through TError. User-interface thread only.

#include "app/gui/tformopener.h"
#include "foundation/gui/tmultilangform.h"

class TAction;
class TActionList;
class TApplicationEvents;
class TTimer;

class TBaseForm final : public TMultilangForm {
public:
  // Raises what building the application object raises (a courses folder that is no file).
  explicit TBaseForm(TComponent* Owner);

  // The window description (resources/baseform.cpp).
  TTimer* StartTimer = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acRun = nullptr;
  TApplicationEvents* ApplicationEvents = nullptr;

  void StartTimerTimer(TObject* Sender);
  void acRunExecute(TObject* Sender);
  void ApplicationEventsException(TObject* Sender, const Exception& E);

private:
  void Describe();

  // The windows of the run sequence, installed on the application object.
  TFormOpener Windows;
};

// The main window once program entry has made it.
extern TBaseForm* BaseForm;
