#include "toolkit/gui/fontfiles.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QString>

#include <string>

#include "toolkit/fileio.h"

namespace {

const char* const kTahomaFamily = "Tahoma";
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                    "/usr/share/wine/fonts/tahomabd.ttf"};

// Windows lays text out by a font's "win" ascent and descent. Qt takes the smaller typographic
// ones when the font asks for them, as the Tahoma files do, and the marks above capitals (Й, Ё)
// then stand outside the cell. Without the request Qt takes the hhea metrics, which these files
// set to the win ones.
QByteArray WithWindowsMetrics(const std::string& bytes) {
  QByteArray font(bytes.data(), static_cast<qsizetype>(bytes.size()));
  auto number = [&font](qsizetype at, int length) {
    quint32 value = 0;
    for (int i = 0; i < length; ++i) value = value << 8 | static_cast<uchar>(font[at + i]);
    return value;
  };
  // The table directory: a 12-byte header, then per table its tag, checksum, offset, length.
  constexpr qsizetype kHeader = 12, kEntry = 16, kFsSelection = 62;
  constexpr uchar kUseTypoMetrics = 0x80;  // bit 7 of fsSelection, in its low byte
  if (font.size() < kHeader) return font;
  for (quint32 table = 0, tables = number(4, 2); table < tables; ++table) {
    qsizetype entry = kHeader + kEntry * table;
    if (entry + kEntry > font.size()) break;
    if (font.mid(entry, 4) != "OS/2") continue;
    qsizetype lowByte = number(entry + 8, 4) + kFsSelection + 1;
    if (lowByte >= font.size()) continue;
    font[lowByte] = static_cast<char>(static_cast<uchar>(font[lowByte]) & ~kUseTypoMetrics);
  }
  return font;
}

}  // namespace

bool RegisterSubstituteFonts() {
  static const bool available = [] {
    if (QFontDatabase::hasFamily(kTahomaFamily)) return true;
    // A missing file leaves the family to fontconfig's nearest match.
    for (const char* file : kTahomaFiles) {
      std::string bytes;
      if (ReadFileBytes(file, bytes))
        QFontDatabase::addApplicationFontFromData(WithWindowsMetrics(bytes));
    }
    return QFontDatabase::hasFamily(kTahomaFamily);
  }();
  return available;
}
