#pragma once
// Sets (or, with nullptr, removes) an environment variable until the object goes.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ~ScopedEnv() { Old ? setenv(Name, Old->c_str(), 1) : unsetenv(Name); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  const char* Name;
  std::optional<std::string> Old;
};
