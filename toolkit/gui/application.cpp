#include "toolkit/gui/application.h"

#include <QApplication>

#include "toolkit/exename.h"
#include "toolkit/gui/fontfiles.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/messageboxdialog.h"
#include "toolkit/gui/qtbridge.h"
#include "toolkit/messagebox.h"

TApplication* Application = nullptr;

TApplication::TApplication(int& argc, char** argv)
    : TComponent(nullptr), arguments_(argv, argv + argc) {
  qt_ = std::make_unique<QApplication>(argc, argv);
  // The main window is hidden, and modal windows come and go: only Terminate ends the loop.
  qt_->setQuitOnLastWindowClosed(false);
  Application = this;
  SetMessageDlgHandler(ShowMessageBoxDialog);
}

TApplication::~TApplication() {
  SetMessageDlgHandler(nullptr);
  DestroyComponents();
  mainForm_ = nullptr;
  qt_.reset();
  if (Application == this) Application = nullptr;
}

void TApplication::setIcon(const TGraphic& icon) { qt_->setWindowIcon(ToQIcon(icon)); }

void TApplication::Run() {
  if (!mainForm_ || terminated_) return;
  // The main window's timers already run: what the first windows need is made ready meanwhile.
  RegisterSubstituteFonts();
  if (ShowMainForm) mainForm_->Show();
  if (!terminated_) qt_->exec();
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

void CatchAsException(const std::function<void()>& body,
                      const std::function<void(const Exception& E)>& onError) {
  try {
    body();
  } catch (const Exception& error) {
    onError(error);
  } catch (const std::exception& error) {
    onError(Exception(error.what()));
  } catch (...) {
    onError(EExternalException());
  }
}

void TApplication::Dispatch(TObject* Sender, const std::function<void()>& handler) {
  CatchAsException(handler, [this, Sender](const Exception& E) { HandleException(Sender, E); });
}

void TApplication::HandleException(TObject* Sender, const Exception& E) {
  // The report itself must not throw into Qt either; an error inside it is shown plainly.
  try {
    if (OnException) {
      OnException(Sender, E);
    } else {
      ShowException(E);
    }
  } catch (const std::exception& error) {
    // Not even the plain box may throw on into Qt.
    try {
      ShowException(Exception(error.what()));
    } catch (...) {
    }
  } catch (...) {
  }
}

void TApplication::ShowException(const Exception& E) { MessageDlg(E.Message, mtError); }

std::string TApplication::ExeName() const { return ::ExeName(); }

std::string TApplication::ParamStr(int index) const {
  if (index < 0 || index >= static_cast<int>(arguments_.size())) return "";
  return arguments_[index];
}

void FireEvent(const TNotifyEvent& event, TObject* sender) {
  if (event && Application) Application->Dispatch(sender, [&] { event(sender); });
}
