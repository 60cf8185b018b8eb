#include "platform/gui/windowservices.h"

#include "platform/cursor.h"
#include "platform/gui/browser.h"
#include "platform/gui/cursorview.h"
#include "platform/gui/windowmanager.h"
#include "platform/gui/windowmove.h"
#include "platform/openaddress.h"
#include "toolkit/gui/trayicon.h"
#include "toolkit/gui/windowdrag.h"

void InstallWindowServices() {
  SetCursorObserver(ApplyCursorVisibility);
  SetOpenAddressHandler(OpenInBrowser);
  SetWindowSystemMove(StartWindowManagerMove);
  SetMinimisingCheck(WindowManagerRuns);
}
