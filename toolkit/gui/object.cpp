#include "toolkit/gui/object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                              std::free);
  std::string result = status == 0 && name ? name.get() : mangled;
  // A class inside a namespace answers with its own name only.
  size_t colon = result.rfind("::");
  return colon == std::string::npos ? result : result.substr(colon + 2);
}
