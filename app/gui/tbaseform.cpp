#include "app/gui/tbaseform.h"

#include <memory>

#include "app/tlomtak.h"
#include "foundation/terror.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/timer.h"

TBaseForm* BaseForm = nullptr;

TBaseForm::TBaseForm(TComponent* Owner) : TMultilangForm(Owner) {
  Describe();
  Construct(std::make_unique<TLomtak>());
  getRoot()->setWindowOpener(&Windows);
}

void TBaseForm::StartTimerTimer(TObject*) {
  StartTimer->setEnabled(false);
  // The window closes also when the run ends with an error, after the error was shown.
  Application->Dispatch(this, [this] { acRun->Execute(); });
  Close();
}

void TBaseForm::acRunExecute(TObject*) { TLomtak::Of(getRoot())->Run(); }

void TBaseForm::ApplicationEventsException(TObject*, const Exception& E) { TError(E).Show(); }
