#pragma once
// A window's hook on the application's events: while it lives, every error that reaches the
// application's dispatch goes to its OnException (unset: the standard exception box). It takes
// the application's exception event over and gives the one before back when it goes; one at a
// time. User-interface thread only.

#include "toolkit/gui/application.h"
#include "toolkit/gui/component.h"

class TApplicationEvents : public TComponent {
public:
  explicit TApplicationEvents(TComponent* Owner);
  ~TApplicationEvents() override;

  TExceptionEvent OnException;

private:
  TExceptionEvent previous_;
};
