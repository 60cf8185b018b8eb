#include "toolkit/gui/applicationevents.h"

TApplicationEvents::TApplicationEvents(TComponent* Owner) : TComponent(Owner) {
  if (!Application) return;
  previous_ = Application->OnException;
  Application->OnException = [this](TObject* sender, const Exception& error) {
    if (OnException) {
      OnException(sender, error);
    } else {
      Application->ShowException(error);
    }
  };
}

TApplicationEvents::~TApplicationEvents() {
  if (Application) Application->OnException = previous_;
}
