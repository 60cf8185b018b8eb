#pragma once
// The message of the coded error that a piece of code throws.

#include <string>

#include "toolkit/exception.h"

// The message of the coded error that `action` throws, or "" when it throws none.
template <typename Action>
std::string ErrorOf(Action action) {
  try {
    action();
  } catch (const Exception& error) {
    return error.Message;
  }
  return "";
}
