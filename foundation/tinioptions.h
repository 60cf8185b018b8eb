#pragma once
// The one access layer to every INI file of the system: typed reads with a default (written
// back at once when the key has no value and the store is writable) and writes, with one
// encoding of values for all files. Holds only the file name: every call opens and closes the
// file (but inside a TIniOptionsGroup, below), so stores on one file see each other's writes. File
// failures never escape: they give the default and leave a text in LastError. User-interface thread
// only.

#include <string>

#include "toolkit/color.h"
#include "toolkit/inifile.h"

// Every CR LF, then every remaining LF, becomes the two characters backslash and n.
std::string EscapeLineBreaks(const std::string& text);
// Every backslash-n pair becomes CR LF.
std::string UnescapeLineBreaks(const std::string& text);

class TIniOptions {
public:
  TIniOptions(std::string fileName, bool writable);

  // The text is stored with its line breaks escaped, between single quotes. Does nothing on a
  // read-only store; a failed write leaves the file as it was and LastError set.
  void WriteString(const std::string& section, const std::string& key, const std::string& text);
  // A missing or empty value gives the default, which a writable store writes back.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback);

  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  // These three raise EConvertError when the stored text does not convert.
  int32_t ReadInteger(const std::string& section, const std::string& key, int32_t fallback);
  bool ReadBool(const std::string& section, const std::string& key, bool fallback);
  double ReadFloat(const std::string& section, const std::string& key, double fallback);
  // Never raises: a stored text that is not a colour gives the default.
  TColor ReadColor(const std::string& section, const std::string& key, TColor fallback);

  // "#RRGGBB" in upper case; the top byte is ignored (a system colour is not converted).
  static std::string ColorToHtml(TColor color);
  // Six hexadecimal digits, red first, with an optional "#" and blanks around; raises the
  // coded error "96176C40/H" for a text of another length, EConvertError for a bad digit.
  static TColor HtmlToColor(const std::string& text);

  const bool Readable = true;
  const bool Writable;
  std::string LastError;  // emptied at the start of every read and write
  const std::string FileName;
};

// Makes every read and write of the store while it lives one read and at most one write of its
// file (TIniWriteGroup), also through other stores on the file: the file then holds either all
// of the writes or none of them, also after a kill, and a window's state or a theme costs one
// write instead of one per key. A write that fails at the end leaves the file as it was and
// the store's LastError set. User-interface thread only; groups on one file nest.
class TIniOptionsGroup {
public:
  explicit TIniOptionsGroup(TIniOptions* store) : Store(store), Group(store->FileName) {}
  ~TIniOptionsGroup();
  TIniOptionsGroup(const TIniOptionsGroup&) = delete;
  TIniOptionsGroup& operator=(const TIniOptionsGroup&) = delete;

private:
  TIniOptions* Store;
  TIniWriteGroup Group;
};
