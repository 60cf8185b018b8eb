#pragma once
// Conversions between the system's 8-bit texts (a Windows code page) and UTF-8, for display and
// input only. Safe for concurrent use.

#include <string>

// The code page of window texts, edits and message boxes: that of the system's default texts.
constexpr int kSystemCodePage = 1251;

// The Western code page.
constexpr int kWesternCodePage = 1252;
// The character set of Western texts. The ANSI set 0 cannot be it: fonts get 0 where no
// localization names a set, and must still show the system's own texts and Cyrillic user
// names. Windows assigns no set to this number.
constexpr int kWesternCharset = 3;

// The Windows code page of a font character set; 0 ANSI, 1 DEFAULT and any set without a code
// page of its own give the system's.
int CodePageOfCharset(int charset);
// The character set whose code page this is (CodePageOfCharset gives it back), -1 for none.
int CharsetOfCodePage(int codePage);

// Bytes that the code page does not define become U+FFFD; never raises.
std::string ToUtf8(const std::string& text, int codePage = kSystemCodePage);
// Characters the code page lacks become "?"; each byte of invalid UTF-8 is skipped; never
// raises.
std::string FromUtf8(const std::string& text, int codePage = kSystemCodePage);
// Whether the bytes are well-formed UTF-8.
bool IsUtf8(const std::string& text);
