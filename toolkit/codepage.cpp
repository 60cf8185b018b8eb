#include "toolkit/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <string>

namespace {

struct TCharsetCodePage {
  int Charset, CodePage;
};

// The font character sets that name a code page of their own.
constexpr TCharsetCodePage kNationalCharsets[] = {
    {204, 1251}, {238, 1250}, {161, 1253}, {162, 1254}, {177, 1255},
    {178, 1256}, {186, 1257}, {163, 1258}, {222, 874}};

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
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  char buffer[1024];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, outPtr - buffer);
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      size_t skip = 1;
      out += onBad(in, inLeft, skip);
      in += skip;
      inLeft -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

int CodePageOfCharset(int charset) {
  for (const TCharsetCodePage& entry : kNationalCharsets)
    if (entry.Charset == (charset & 0xFF)) return entry.CodePage;
  return kSystemCodePage;
}

int CharsetOfCodePage(int codePage) {
  if (codePage == kWesternCodePage) return 0;
  for (const TCharsetCodePage& entry : kNationalCharsets)
    if (entry.CodePage == codePage) return entry.Charset;
  return -1;
}

std::string ToUtf8(const std::string& text, int codePage) {
  return Convert(text, CodePageName(codePage), "UTF-8",
                 [](const char*, size_t, size_t&) { return std::string("\xEF\xBF\xBD"); });
}

std::string FromUtf8(const std::string& text, int codePage) {
  return Convert(text, "UTF-8", CodePageName(codePage),
                 [](const char* at, size_t left, size_t& skip) {
                   // Skip the whole UTF-8 sequence of a character the code page lacks.
                   unsigned char lead = static_cast<unsigned char>(*at);
                   size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
                   bool valid = length <= left;
                   for (size_t i = 1; valid && i < length; ++i)
                     valid = (static_cast<unsigned char>(at[i]) & 0xC0) == 0x80;
                   skip = valid ? length : 1;
                   return std::string(valid ? "?" : "");
                 });
}
