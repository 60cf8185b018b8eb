#pragma once
// A busy loop on every core, each in a process of its own, from construction to destruction:
// the load under which the busy measures are taken. One thread.

#include <sys/types.h>

#include <vector>

class TBusyCores {
public:
  TBusyCores();
  ~TBusyCores();
  TBusyCores(const TBusyCores&) = delete;
  TBusyCores& operator=(const TBusyCores&) = delete;

private:
  std::vector<pid_t> Loops;
};
