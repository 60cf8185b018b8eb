#pragma once
// The base error of the program: a message text, thrown by value and caught by reference.
// The system's coded errors are plain Exceptions whose message begins with the code.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
};

// A text that does not convert to a number.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};
