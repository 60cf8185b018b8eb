#include "toolkit/gui/fontfiles.h"

#include <QFontDatabase>
#include <QString>

namespace {

const char* const kTahomaFamily = "Tahoma";
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                    "/usr/share/wine/fonts/tahomabd.ttf"};

}  // namespace

bool RegisterSubstituteFonts() {
  if (QFontDatabase::hasFamily(kTahomaFamily)) return true;
  // A missing file leaves the family to fontconfig's nearest match.
  for (const char* file : kTahomaFiles) QFontDatabase::addApplicationFont(QString::fromUtf8(file));
  return QFontDatabase::hasFamily(kTahomaFamily);
}
