#pragma once
// The usual umask, 022, or the one given, while it lives, so that the permission bits a test
// expects of what the program makes do not depend on the shell that ran it.

#include <sys/stat.h>

class UsualUmask {
public:
  explicit UsualUmask(mode_t mask = 022) : Saved(umask(mask)) {}
  ~UsualUmask() { umask(Saved); }
  UsualUmask(const UsualUmask&) = delete;
  UsualUmask& operator=(const UsualUmask&) = delete;

private:
  mode_t Saved;
};
