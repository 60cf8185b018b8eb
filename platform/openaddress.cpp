#include "platform/openaddress.h"

#include <utility>

namespace {

TOpenAddressHandler& Handler() {
  static TOpenAddressHandler handler;
  return handler;
}

}  // namespace

void OpenAddress(const std::string& address) {
  if (Handler()) Handler()(address);
}

TOpenAddressHandler SetOpenAddressHandler(TOpenAddressHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}
