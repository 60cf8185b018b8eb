#include "foundation/tinioptions.h"

#include "toolkit/exception.h"
#include "toolkit/inifile.h"
#include "toolkit/sysutils.h"

namespace {

const char kWriteFailed[] = "Error while inifile writing";

}  // namespace

std::string EscapeLineBreaks(const std::string& text) {
  return StringReplaceAll(StringReplaceAll(text, "\r\n", "\\n"), "\n", "\\n");
}

std::string UnescapeLineBreaks(const std::string& text) {
  return StringReplaceAll(text, "\\n", "\r\n");
}

TIniOptions::TIniOptions(std::string fileName, bool writable)
    : Writable(writable), FileName(std::move(fileName)) {}

void TIniOptions::WriteString(const std::string& section, const std::string& key,
                              const std::string& text) {
  LastError.clear();
  if (!Writable) return;
  // Quotes inside are left as they are: the reader removes only the enclosing pair, so every
  // text reads back as written.
  try {
    TIniFile(FileName).WriteString(section, key, "'" + EscapeLineBreaks(text) + "'");
  } catch (...) {
    LastError = kWriteFailed;
  }
}

std::string TIniOptions::ReadString(const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  LastError.clear();
  if (!Readable) return fallback;
  try {
    std::string value = UnescapeLineBreaks(TIniFile(FileName).ReadString(section, key, ""));
    if (!value.empty()) return value;
    if (Writable) WriteString(section, key, fallback);
  } catch (...) {
    LastError = "Error while inifile reading";
  }
  return fallback;
}

void TIniOptions::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
  WriteString(section, key, IntToStr(value));
}

void TIniOptions::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

int32_t TIniOptions::ReadInteger(const std::string& section, const std::string& key,
                                 int32_t fallback) {
  return StrToInt(ReadString(section, key, IntToStr(fallback)));
}

bool TIniOptions::ReadBool(const std::string& section, const std::string& key, bool fallback) {
  return StrToInt(ReadString(section, key, fallback ? "1" : "0")) != 0;
}

double TIniOptions::ReadFloat(const std::string& section, const std::string& key, double fallback) {
  std::string text = ReadString(section, key, FloatToStr(fallback));
  return StrToFloat(StringReplaceAll(text, ".", std::string(1, DecimalSeparator)));
}

TColor TIniOptions::ReadColor(const std::string& section, const std::string& key, TColor fallback) {
  try {
    return HtmlToColor(ReadString(section, key, ColorToHtml(fallback)));
  } catch (const std::exception&) {
    return fallback;
  }
}

std::string TIniOptions::ColorToHtml(TColor color) {
  const uint32_t bits = static_cast<uint32_t>(color);
  return "#" + IntToHex(bits & 0xFF, 2) + IntToHex(bits >> 8 & 0xFF, 2) +
         IntToHex(bits >> 16 & 0xFF, 2);
}

TColor TIniOptions::HtmlToColor(const std::string& text) {
  std::string digits = Trim(text);
  size_t hash = digits.find('#');
  if (hash != std::string::npos) digits.erase(hash, 1);
  if (digits.size() != 6) throw Exception("96176C40/H");
  return StrToInt("$00" + digits.substr(4, 2) + digits.substr(2, 2) + digits.substr(0, 2));
}

TIniOptionsGroup::~TIniOptionsGroup() {
  if (!Group.Commit()) Store->LastError = kWriteFailed;
}
