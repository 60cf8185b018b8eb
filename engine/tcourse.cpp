#include "engine/tcourse.h"

#include <filesystem>

#include "engine/tcourses.h"
#include "engine/tltgenerator.h"
#include "foundation/troot.h"
#include "foundation/twindowopener.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"

TCourse::TCourse(TCourses* courses, const std::string& name, const std::string& extension)
    : TLTObject(courses),
      Courses(courses),
      Name(name),
      FileName(courses->getDirectory() + "/" + name + extension) {
  std::error_code ignored;
  if (!std::filesystem::is_regular_file(FileName, ignored))
    throw Exception(FromUtf8("704DB5B4/H Файл с курсом не найден"));
}

TCourse::~TCourse() {
  Generator.reset();
  Base.reset();
}

uint8_t TCourse::getCharset() const { return Base ? Base->getAlphabet().getCharset() : 0; }

bool TCourse::Load(TProgressEvent onProgress) {
  if (Base) return true;
  // Counted loaded only once the generator stands: a load that raised is tried again.
  auto base = std::make_unique<TLTBase>();
  base->setOnProgress(std::move(onProgress));
  base->LoadFromFile(FileName);
  // The handler belongs to the window that asked for this load, which goes before the base.
  base->setOnProgress(nullptr);
  Generator = std::make_unique<TLTGenerator>(base.get());
  Base = std::move(base);
  return true;
}

void TCourse::RunSession(TUser* user) { getRoot()->getWindowOpener()->RunSession(this, user); }
