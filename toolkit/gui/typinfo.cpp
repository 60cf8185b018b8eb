#include "toolkit/gui/typinfo.h"

#include <utility>

TPropInfo StringProperty(std::string name, std::string typeName, std::function<std::string()> get,
                         std::function<void(const std::string&)> set) {
  return {std::move(name), std::move(typeName), TTypeKind::String,
          std::move(get),  std::move(set),      nullptr};
}

TPropInfo StringProperty(std::string name, std::string typeName, std::string* field) {
  return StringProperty(
      std::move(name), std::move(typeName), [field] { return *field; },
      [field](const std::string& text) { *field = text; });
}

TPropInfo ObjectProperty(std::string name, std::string typeName, std::function<TObject*()> get) {
  return {std::move(name), std::move(typeName), TTypeKind::Object, nullptr,
          nullptr,         std::move(get)};
}
