#pragma once
// The root of the toolkit's objects: what every sender of an event is. Any thread.

#include <string>

class TObject {
public:
  virtual ~TObject() = default;
  // The name of the object's most derived class, as written in the code ("TLoginForm").
  std::string ClassName() const;
};
