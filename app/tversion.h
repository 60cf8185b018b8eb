#pragma once
// The program's release: its file version text, and the release date and seasonal release name
// read from the first three version numbers (year, month, day). Owns a copy of the version
// information. User-interface thread only.

#include <string>

#include "foundation/tltobject.h"
#include "toolkit/datetime.h"
#include "toolkit/versioninfo.h"

class TVersion : public TLTObject {
public:
  explicit TVersion(TRoot* owner, TVersionInfo info = TVersionInfo::OfProgram());

  // Fills "%VERSION%" with the file version.
  std::string Format(const std::string& text) const override;

  // "FileVersion", or the four numbers "a.b.c.d" when it is empty.
  std::string getFileVersion() const;
  // Midnight of the day the numbers name; raises EConvertError when they name no date.
  TDateTime getReleaseDate() const;
  // "2011, STRONG RELEASE"; in December "HAPPY NEW YEAR 2012, CHRISTMAS RELEASE".
  std::string getReleaseName() const;

  // The file version text of this version information.
  static std::string FileVersionOf(const TVersionInfo& info);

private:
  TVersionInfo Info;
};
