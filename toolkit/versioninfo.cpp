#include "toolkit/versioninfo.h"

#include "toolkit/version.h"

TVersionInfo TVersionInfo::OfProgram() {
  return {LOMTAK_VERSION_MAJOR, LOMTAK_VERSION_MINOR, LOMTAK_VERSION_RELEASE, LOMTAK_VERSION_BUILD,
          LOMTAK_FILE_VERSION};
}
