#pragma once
// A program started on a display, in a working folder, with its output sent to a file; ended
// (and waited for) when the object goes.

#include <sys/types.h>

#include <string>

class TLaunch {
public:
  TLaunch(const std::string& program, const std::string& folder, const std::string& display,
          const std::string& output);
  ~TLaunch();
  TLaunch(const TLaunch&) = delete;
  TLaunch& operator=(const TLaunch&) = delete;

  bool Running();
  pid_t Pid() const { return Child; }

private:
  pid_t Child = 0;
};
