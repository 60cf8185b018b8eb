#include "platform/gui/windowservices.h"

#include "platform/cursor.h"
#include "platform/gui/browser.h"
#include "platform/gui/cursorview.h"
#include "platform/openaddress.h"

void InstallWindowServices() {
  SetCursorObserver(ApplyCursorVisibility);
  SetOpenAddressHandler(OpenInBrowser);
}
