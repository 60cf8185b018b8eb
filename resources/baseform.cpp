// The window description of the hidden main window.

#include "app/gui/tbaseform.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/applicationevents.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/timer.h"

void TBaseForm::Describe() {
  setName("BaseForm");
  setCaption("BaseForm");

  StartTimer = NewComponent<TTimer>(this, "StartTimer");
  StartTimer->setInterval(100);
  StartTimer->OnTimer = [this](TObject* sender) { StartTimerTimer(sender); };

  ActionList = NewComponent<TActionList>(this, "ActionList");
  acRun = NewComponent<TAction>(this, "acRun");
  acRun->OnExecute = [this](TObject* sender) { acRunExecute(sender); };

  ApplicationEvents = NewComponent<TApplicationEvents>(this, "ApplicationEvents");
  ApplicationEvents->OnException = [this](TObject* sender, const Exception& error) {
    ApplicationEventsException(sender, error);
  };
}
