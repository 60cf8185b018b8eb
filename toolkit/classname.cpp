#include "toolkit/classname.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

std::string ClassNameOf(const std::type_info& type) {
  const char* mangled = type.name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> plain(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
  std::string name = status == 0 && plain ? plain.get() : mangled;
  // A class of a namespace (a test's) answers with its own name only.
  const size_t scope = name.rfind("::");
  return scope == std::string::npos ? name : name.substr(scope + 2);
}
