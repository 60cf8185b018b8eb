#include "users/tuserlock.h"

#include <cerrno>

#include "users/tuser.h"

bool TUserLock::Take(const TUser& user) {
  const std::error_code failed = Lock.Take(user.getProfileFolder());
  if (failed.value() == EWOULDBLOCK) {
    user.ShowMessage("InUse");
    return false;
  }
  if (failed.value() == ENOENT || failed.value() == ENOTDIR) {
    user.ShowMessage("Gone");
    return false;
  }
  return true;
}
