#pragma once
// Published properties: the part of a component that type-driven code (the localization pass)
// reads and writes by name. Only texts and objects are published; a component lists its own in
// its Publish override.

#include <functional>
#include <string>
#include <vector>

class TObject;

enum class TTypeKind { String, Object };

struct TPropInfo {
  std::string Name;
  // The declared type: "String", "TCaption", "TComponentName", "TStrings", "TFont", ...
  std::string TypeName;
  TTypeKind Kind;
  std::function<std::string()> GetString;
  std::function<void(const std::string&)> SetString;
  // May answer none (an object property that holds no object).
  std::function<TObject*()> GetObject;
};

using TPropList = std::vector<TPropInfo>;

TPropInfo StringProperty(std::string name, std::string typeName, std::function<std::string()> get,
                         std::function<void(const std::string&)> set);
// A published text held in a plain field of the component.
TPropInfo StringProperty(std::string name, std::string typeName, std::string* field);
TPropInfo ObjectProperty(std::string name, std::string typeName, std::function<TObject*()> get);
