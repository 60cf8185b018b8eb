#include "toolkit/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <string>

namespace {

struct TCharsetCodePage {
  int Charset, CodePage;
};

// The font character sets that name a code page of their own, each both ways.
constexpr TCharsetCodePage kNationalCharsets[] = {
    {kWesternCharset, kWesternCodePage},
    {204, 1251},
    {238, 1250},
    {161, 1253},
    {162, 1254},
    {177, 1255},
    {178, 1256},
    {186, 1257},
    {163, 1258},
    {222, 874},
};

std::string CodePageName(int codePage) { return "CP" + std::to_string(codePage); }

// Runs iconv over the whole text; `onBad` decides what stands for an input byte it refuses.
template <typename OnBad>
std::string Convert(const std::string& text, const std::string& from, const std::string& to,
                    OnBad onBad) {
  if (text.empty()) return text;
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  out.reserve(text.size() * 2);
  char buffer[1024];
  // Writes what iconv gives for the input (none: what it holds back, as Windows-1255 and
  // Windows-1258 do with a letter in case a combining mark follows).
  auto run = [&](char** in, size_t* inLeft) {
    size_t rc;
    do {
      char* outPtr = buffer;
      size_t outLeft = sizeof buffer;
      rc = iconv(cd, in, inLeft, &outPtr, &outLeft);
      out.append(buffer, outPtr - buffer);
    } while (rc == static_cast<size_t>(-1) && errno == E2BIG);
    return rc != static_cast<size_t>(-1);
  };
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (!run(&in, &inLeft) && inLeft > 0) {
    // The held letter comes before what stands for the refused byte.
    run(nullptr, nullptr);
    size_t skip = 1;
    out += onBad(in, inLeft, skip);
    in += skip;
    inLeft -= skip;
  }
  run(nullptr, nullptr);
  iconv_close(cd);
  return out;
}

// The length of the well-formed UTF-8 character at the start, 0 when it is none (a stray or
// missing continuation byte, an overlong form, a surrogate, beyond U+10FFFF).
size_t Utf8CharLength(const unsigned char* at, size_t left) {
  const unsigned char lead = at[0];
  size_t length;
  char32_t code, least;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return 0;
  }
  if (length > left) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((at[i] & 0xC0) != 0x80) return 0;
    code = code << 6 | (at[i] & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// Every code page of ours and UTF-8 read the bytes below 0x80 as ASCII, so such a text needs
// no conversion; most texts of the program are such, and the views convert one at every key.
bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

}  // namespace

int CodePageOfCharset(int charset) {
  for (const TCharsetCodePage& entry : kNationalCharsets)
    if (entry.Charset == (charset & 0xFF)) return entry.CodePage;
  return kSystemCodePage;
}

int CharsetOfCodePage(int codePage) {
  for (const TCharsetCodePage& entry : kNationalCharsets)
    if (entry.CodePage == codePage) return entry.Charset;
  return -1;
}

std::string ToUtf8(const std::string& text, int codePage) {
  if (IsAscii(text)) return text;
  return Convert(text, CodePageName(codePage), "UTF-8",
                 [](const char*, size_t, size_t&) { return std::string("\xEF\xBF\xBD"); });
}

bool IsUtf8(const std::string& text) {
  const auto* at = reinterpret_cast<const unsigned char*>(text.data());
  for (size_t left = text.size(); left > 0;) {
    const size_t length = Utf8CharLength(at, left);
    if (length == 0) return false;
    at += length;
    left -= length;
  }
  return true;
}

std::string FromUtf8(const std::string& text, int codePage) {
  if (IsAscii(text)) return text;
  return Convert(text, "UTF-8", CodePageName(codePage),
                 [](const char* at, size_t left, size_t& skip) {
                   // A whole character the code page lacks, or one byte of invalid input.
                   size_t length = Utf8CharLength(reinterpret_cast<const unsigned char*>(at), left);
                   skip = length ? length : 1;
                   return std::string(length ? "?" : "");
                 });
}
