#pragma once
// A web-browser control over QTextBrowser (its Handle). It navigates to local files, to pages
// inside a compiled help file ("mk:@MSITStore:PATH::/page.htm"; the page's pictures, style sheets
// and links resolve inside the same file), and to http and https addresses, which Qt Network
// fetches while the window goes on; the reply is shown through the dispatch. An address that
// cannot be loaded shows a plain page saying so and reports nothing. The print command hands
// the page shown to the print handler. Owns its help file and its requests; user-interface
// thread only.

#include <functional>
#include <string>

#include "toolkit/gui/wincontrol.h"

class QTextDocument;

// Gets the page shown. The default one runs the print dialog and prints on the printer chosen.
using TPrintHandler = std::function<void(QTextDocument& page)>;
// Installs the handler (an empty one restores the print dialog); returns the one before.
TPrintHandler SetPrintHandler(TPrintHandler handler);

// The browser commands that ExecWB knows, and its options.
constexpr int OLECMDID_PRINT = 6;
constexpr int OLECMDEXECOPT_DODEFAULT = 0;

class TCppWebBrowser : public TWinControl {
public:
  explicit TCppWebBrowser(TComponent* Owner);
  ~TCppWebBrowser() override;

  // Shows the address; a web page shows when its reply comes, and a later call wins over a
  // reply still on its way. Paths (of a help file, of a local file, with or without "file://")
  // go to the file system as they stand; a web address goes out as it stands, with bytes
  // outside ASCII percent-encoded.
  void Navigate(const std::string& URL);
  // OLECMDID_PRINT gives the page shown to the print handler, which asks what to print
  // whatever the option; other commands do nothing.
  void ExecWB(int cmdID, int cmdexecopt);

  // The address of the page shown (or asked for, while a web page is on its way).
  std::string LocationURL() const;
  // A web page, or a picture or style sheet of it, is on its way.
  bool Busy() const;

private:
  class Viewer;
  Viewer* viewer() const;
};
