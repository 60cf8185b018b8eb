#pragma once
// The application: the Qt application, the main window, the message loop, and the one dispatch
// through which the toolkit calls every handler, so that no exception ever crosses Qt's event
// loop. One object per program, reachable as Application; it owns the windows made by
// CreateForm and the Qt application. User-interface thread only.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/exception.h"
#include "toolkit/gui/component.h"
#include "toolkit/gui/events.h"

class QApplication;
class TForm;
class TGraphic;

// What a thrown value that is no exception object becomes on its way to the exception event.
class EExternalException : public Exception {
public:
  EExternalException() : Exception("External exception") {}
};

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

// Runs `body`; whatever it throws reaches `onError` as an Exception: a library error by its
// message, any other thrown value as EExternalException.
void CatchAsException(const std::function<void()>& body,
                      const std::function<void(const Exception& E)>& onError);

class TApplication : public TComponent {
public:
  // Makes the Qt application, registers the substitute fonts (toolkit/gui/fontfiles.h) and
  // installs the real message box; `argc` and `argv` must live as long as the application.
  TApplication(int& argc, char** argv);
  // Frees the windows it owns, then the Qt application.
  ~TApplication() override;

  std::string Title;
  // Whether Run shows the main window.
  bool ShowMainForm = true;
  // Gets every error that reaches the dispatch; without it ShowException shows the error.
  TExceptionEvent OnException;
  // The program's icon: that of every window without one of its own, and of the notification
  // area's icons without one.
  void setIcon(const TGraphic& icon);

  // Creates a window owned by the application; the first one becomes the main window.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  TForm* MainForm() const { return mainForm_; }

  // The message loop, until the main window closes or Terminate; returns at once without a
  // main window.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  void ProcessMessages();

  // Runs a handler; whatever it throws goes to HandleException.
  void Dispatch(TObject* Sender, const std::function<void()>& handler);
  // Runs a handler that answers; when it throws, the error goes to HandleException and the
  // answer is `fallback`.
  template <class T, class Handler>
  T Dispatch(TObject* Sender, T fallback, Handler&& handler) {
    Dispatch(Sender, [&] { fallback = handler(); });
    return fallback;
  }
  void HandleException(TObject* Sender, const Exception& E);
  // The standard exception box: the whole message, with OK.
  void ShowException(const Exception& E);

  std::string ExeName() const;
  // The command line: 0 the program, 1 the first argument; empty beyond the last.
  std::string ParamStr(int index) const;
  int ParamCount() const { return static_cast<int>(arguments_.size()) - 1; }

private:
  std::vector<std::string> arguments_;
  std::unique_ptr<QApplication> qt_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

extern TApplication* Application;

// Raises a notify event, when it is set, through the application's dispatch.
void FireEvent(const TNotifyEvent& event, TObject* sender);
