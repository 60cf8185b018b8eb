#include "toolkit/sysutils.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "toolkit/exception.h"

char DecimalSeparator = '.';

namespace {

bool IsBlank(unsigned char c) { return c <= ' '; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseInt(const std::string& text, int32_t& out) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return false;
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    value = value * (hex ? 16 : 10) + digit;
    // Hexadecimal may fill all 32 bits (wrapping to negative); decimal must fit the sign.
    if (value > (hex ? 0xFFFFFFFFull : 0x80000000ull)) return false;
  }
  if (!hex && !negative && value > 0x7FFFFFFFull) return false;
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  out = static_cast<int32_t>(bits);
  return true;
}

}  // namespace

int32_t StrToInt(const std::string& text) {
  int32_t value = 0;
  if (!ParseInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
  return value;
}

int32_t StrToIntDef(const std::string& text, int32_t fallback) {
  int32_t value = 0;
  return ParseInt(text, value) ? value : fallback;
}

double StrToFloat(const std::string& text) {
  std::string number = Trim(text);
  // Only the configured separator counts; a '.' is foreign unless it is the separator.
  bool valid =
      !number.empty() && number.find(DecimalSeparator == '.' ? ',' : '.') == std::string::npos;
  for (char& c : number)
    if (c == DecimalSeparator) c = '.';
  // from_chars reads the same form under every C locale (strtod would want the process
  // locale's decimal point, which a Qt application takes from the desktop); it takes no "+".
  const char* first = number.data();
  const char* last = first + number.size();
  if (first != last && *first == '+' && (first + 1 == last || first[1] != '-')) ++first;
  double value = 0;
  auto [end, error] = std::from_chars(first, last, value);
  // "inf" and "nan" parse, but the conversion does not take them.
  valid = valid && error == std::errc() && end == last && std::isfinite(value);
  if (!valid) throw EConvertError("'" + text + "' is not a valid floating point value");
  return value;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string FloatToStr(double value) {
  // to_chars gives printf's "%.15g" under every C locale.
  char buffer[64];
  char* end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
  std::string text = UpperCase(std::string(buffer, end));
  size_t e = text.find('E');
  if (e != std::string::npos) {
    // "1.5E+20" -> "1.5E20", "1E-05" -> "1E-5"
    std::string mantissa = text.substr(0, e);
    int exponent = std::atoi(text.c_str() + e + 1);
    text = mantissa + "E" + std::to_string(exponent);
  }
  for (char& c : text)
    if (c == '.') c = DecimalSeparator;
  return text;
}

std::string IntToHex(uint64_t value, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
  return buffer;
}

std::string TrimLeft(const std::string& text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return text.substr(first);
}

std::string TrimRight(const std::string& text) {
  size_t last = text.size();
  while (last > 0 && IsBlank(text[last - 1])) --last;
  return text.substr(0, last);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string UpperCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::string LowerCase(const std::string& text) {
  std::string result = text;
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}

int CompareText(const std::string& a, const std::string& b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = x - 'A' + 'a';
    if (y >= 'A' && y <= 'Z') y = y - 'A' + 'a';
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

std::string StringReplaceAll(const std::string& text, const std::string& pattern,
                             const std::string& value) {
  if (pattern.empty()) return text;
  std::string result;
  size_t from = 0;
  for (size_t at; (at = text.find(pattern, from)) != std::string::npos; from = at + pattern.size())
    result.append(text, from, at - from).append(value);
  return result.append(text, from, std::string::npos);
}
