#include "toolkit/gui/helpfile.h"

#include <chm_lib.h>

THelpFile::THelpFile(const std::string& path) : path_(path), file_(chm_open(path.c_str())) {}

THelpFile::~THelpFile() {
  if (file_) chm_close(file_);
}

bool THelpFile::Read(const std::string& name, std::string& content) const {
  content.clear();
  if (!file_) return false;
  const std::string inside = name.starts_with('/') ? name : "/" + name;
  chmUnitInfo unit;
  if (chm_resolve_object(file_, inside.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return false;
  // A folder entry is stored with no content; it is no page.
  if (inside.ends_with('/')) return false;
  content.resize(unit.length);
  LONGUINT64 done = 0;
  while (done < unit.length) {
    LONGINT64 got =
        chm_retrieve_object(file_, &unit, reinterpret_cast<unsigned char*>(content.data()) + done,
                            done, unit.length - done);
    if (got <= 0) {
      content.clear();
      return false;
    }
    done += static_cast<LONGUINT64>(got);
  }
  return true;
}
