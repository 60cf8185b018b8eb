// Program entry: the command line's answers that need no window, and a word where the X display
// cannot be reached. Then the application titled "Lomtak" with the program's icon, the window
// services (the real cursor, the browser for web links), the end on a termination signal, the
// hidden main window, the message loop. An error while the main window is built is shown with its
// whole message, and the program ends without entering the loop.

#include <iostream>

#include "app/commandline.h"
#include "app/gui/tbaseform.h"
#include "platform/gui/displayconnection.h"
#include "platform/gui/terminationsignal.h"
#include "platform/gui/windowservices.h"
#include "resources/pictures/picture.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/bitmap.h"

int main(int argc, char** argv) {
  const TCommandLine line = ReadCommandLine({argv + 1, argv + argc});
  switch (line.Command) {
    case TCommand::Help:
    case TCommand::Version: std::cout << line.Text; return 0;
    case TCommand::Refuse: std::cerr << line.Text; return 2;
    case TCommand::Run: break;
  }
  if (const std::string unreachable = UnreachableDisplay(); !unreachable.empty()) {
    std::cerr << "lomtak: " << unreachable << "\n";
    return 1;
  }
  TApplication application(argc, argv);
  InstallWindowServices();
  // Every window closes as though the user had closed it: the training screen saves its state.
  OnTerminationSignal([] { Application->Terminate(); });
  CatchAsException(
      [] {
        Application->Title = "Lomtak";
        TBitmap icon;
        LoadPicture(&icon, "PROGRAM_ICON");
        Application->setIcon(icon);
        BaseForm = Application->CreateForm<TBaseForm>();
        Application->ShowMainForm = false;
        Application->Run();
      },
      [](const Exception& error) { Application->ShowException(error); });
  return 0;
}
