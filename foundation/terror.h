#pragma once
// A caught error taken apart: the code, severity and text of a message of the form
// "XXXXXXXX/L text", and the error box that shows "#" and the code. Built on the stack of the
// handler that caught the error; user-interface thread only.

#include <cstdint>
#include <exception>
#include <string>

class TError {
public:
  // Any message parses; one without "/" at position 9 leaves every field empty.
  explicit TError(const std::exception& error);

  // The error box: "#" followed by the code alone.
  void Show() const;

  uint8_t Severity = 0;  // S 1, H 2, C 3, F 4; 0 for any other letter
  std::string Code;      // the eight characters before the "/"
  std::string Text;      // from the character after the letter on: at most 1000 characters
};
