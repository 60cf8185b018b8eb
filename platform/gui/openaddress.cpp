#include "platform/gui/openaddress.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

#include "toolkit/gui/qtbridge.h"

namespace {

TAddressOpener& Opener() {
  static TAddressOpener opener;
  return opener;
}

}  // namespace

bool OpenAddress(const std::string& address) {
  if (Opener()) return Opener()(address);
  // Tolerant: blanks and other characters that an address may not hold are escaped.
  return QDesktopServices::openUrl(QUrl(ToQString(address), QUrl::TolerantMode));
}

TAddressOpener SetAddressOpener(TAddressOpener opener) {
  return std::exchange(Opener(), std::move(opener));
}
