#include "app/tlomtak.h"

#include "app/tsite.h"
#include "app/tversion.h"
#include "engine/tcourses.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "users/tusers.h"

TLomtak::TLomtak() : TLTObject(nullptr) {
  Environment = std::make_unique<TEnvironment>();
  Users = std::make_unique<TUsers>(this);
  Courses = std::make_unique<TCourses>(this);
  Version = std::make_unique<TVersion>(this);
  Site = std::make_unique<TSite>();
  AddMessage("Version", "Version: %VERSION%");
}

TLomtak::~TLomtak() {
  Users.reset();
  Courses.reset();
  Environment.reset();
  Version.reset();
  Site.reset();
}

std::string TLomtak::Format(const std::string& text) const {
  return ReplacePlaceholder(text, "VERSION", Version->getFileVersion());
}

void TLomtak::Run() {}

TIniOptions* TLomtak::getLocalization() const { return Environment->getLocalization(); }

std::string TLomtak::ReadLocalized(const std::string& section, const std::string& key,
                                   const std::string& fallback) const {
  // The store is read-only, so a missing key writes nothing back.
  return getLocalization()->ReadString(section, key, fallback);
}
