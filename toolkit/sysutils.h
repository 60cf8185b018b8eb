#pragma once
// The run-time library's text conversions and small text helpers, on 8-bit strings.
// Every function is pure apart from the process-wide DecimalSeparator.

#include <cstdint>
#include <string>

// The locale's decimal separator for float texts; '.' unless the program sets another.
extern char DecimalSeparator;

// Decimal with an optional sign, or hexadecimal after "$" ("$1F", "-$10"); leading blanks
// are skipped. Raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(const std::string& text);
// As StrToInt, but gives the default instead of raising.
int32_t StrToIntDef(const std::string& text, int32_t fallback);

// Blanks around the number allowed; the separator is DecimalSeparator.
// Raises EConvertError "'%s' is not a valid floating point value".
double StrToFloat(const std::string& text);

std::string IntToStr(int64_t value);
// The general float form: up to 15 significant digits, DecimalSeparator, "1E20" exponents.
std::string FloatToStr(double value);
// Upper-case hexadecimal, at least `digits` long.
std::string IntToHex(uint64_t value, int digits);

// Cut blanks and control characters (bytes up to 32) at both ends or one end.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);

// ASCII letter case only, as the system's names are compared.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);
int CompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);

// Every occurrence of `pattern`, scanned left to right; replacements are not scanned again.
std::string StringReplaceAll(const std::string& text, const std::string& pattern,
                             const std::string& value);
