#include "platform/gui/browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "toolkit/gui/qtbridge.h"

void OpenInBrowser(const std::string& address) {
  // Tolerant: blanks and other characters that an address may not hold are escaped.
  QDesktopServices::openUrl(QUrl(ToQString(address), QUrl::TolerantMode));
}
