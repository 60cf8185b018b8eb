#pragma once
// Holds a user for this copy of the program while it is logged in, so that a second copy on the
// same data cannot log the user in, train them or delete them meanwhile. The hold is a lock on
// the user's profile folder itself: nothing is added to the folder, and the system lets the lock
// go when the program ends, however it ends. Owns the lock, not the user. User-interface thread
// only.

#include "platform/filelock.h"

class TUser;

class TUserLock {
public:
  // Holds the user: true. Otherwise says why with the user's message and holds nothing: "InUse"
  // when another copy holds the user, "Gone" when the user's profile folder is no more (deleted
  // by another copy). Where the file system keeps no locks the user goes on unheld, as before.
  bool Take(const TUser& user);

private:
  TFileLock Lock;
};
