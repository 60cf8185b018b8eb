#pragma once
// The bytes of one of the program's own resources, found by name and type ("IMAGE") in the Qt
// resource system under ":/TYPE/NAME". Owns a copy of the bytes; any thread.

#include <string>

class TResourceStream {
public:
  // Raises Exception "Resource NAME not found" when the program has no such resource.
  TResourceStream(const std::string& name, const std::string& type);
  const void* Memory() const { return data_.data(); }
  size_t Size() const { return data_.size(); }

private:
  std::string data_;
};
