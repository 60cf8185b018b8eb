#pragma once
// The stored form of a password: the MD5 digest (RFC 1321) of the text's bytes.
// Keeps no state between calls; safe on any thread.

#include <string>

// 32 upper-case hexadecimal digits, first digest byte first.
std::string MD5Hex(const std::string& text);
