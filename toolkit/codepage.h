#pragma once
// Conversions between the system's 8-bit texts (a Windows code page) and UTF-8, for display and
// input only. Safe for concurrent use.

#include <string>

// The code page of window texts, edits and message boxes: that of the system's default texts.
constexpr int kSystemCodePage = 1251;

// The Western code page, whose texts carry the character set 0 (ANSI).
constexpr int kWesternCodePage = 1252;

// The Windows code page of a font character set; 0 ANSI and 1 DEFAULT give the system's.
int CodePageOfCharset(int charset);
// The character set of a code page's texts: 0 for the Western one, -1 for one without.
int CharsetOfCodePage(int codePage);

// Bytes that the code page does not define become U+FFFD; never raises.
std::string ToUtf8(const std::string& text, int codePage = kSystemCodePage);
// Characters the code page lacks become "?"; invalid UTF-8 is skipped; never raises.
std::string FromUtf8(const std::string& text, int codePage = kSystemCodePage);
