#include "engine/tcourse.h"

#include "engine/tcourses.h"
#include "engine/tltgenerator.h"
#include "foundation/troot.h"
#include "foundation/twindowopener.h"
#include "platform/filesystem.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"

namespace {

// The shortest line the exercise line asks for.
constexpr int32_t kShortestLine = 30;

}  // namespace

TCourse::TCourse(TCourses* courses, const std::string& name, const std::string& extension)
    : TLTObject(courses),
      Courses(courses),
      Name(name),
      FileName(courses->getDirectory() + "/" + name + extension) {
  if (FileSystem().Status(FileName).Kind != TFileKind::Regular)
    throw Exception(FromUtf8("704DB5B4/H Файл с курсом не найден"));
}

TCourse::~TCourse() {
  Generator.reset();
  Base.reset();
}

uint8_t TCourse::getCharset() const { return Base ? Base->getAlphabet().getCharset() : 0; }

bool TCourse::Load(TProgressEvent onProgress) {
  if (Base) return true;
  // Counted loaded only once the generator stands: a load that raised or failed is tried
  // again.
  auto base = std::make_unique<TLTBase>();
  base->setOnProgress(std::move(onProgress));
  const bool read = base->LoadFromFile(FileName);
  // The handler belongs to the window that asked for this load, which goes before the base.
  base->setOnProgress(nullptr);
  if (!read) {
    ErrorText = base->getErrorText();
    return false;
  }
  if (!GivesLines(*base)) return false;
  Generator = std::make_unique<TLTGenerator>(base.get());
  Base = std::move(base);
  ErrorText.clear();
  return true;
}

bool TCourse::GivesLines(TLTBase& base) {
  // A generator of its own, so that the course's first line is drawn as if none had been
  // tried: the course's generator starts the random sequence and its context afresh.
  TLTGenerator trial(&base);
  try {
    trial.Generate(kShortestLine);
  } catch (const Exception& error) {
    ErrorText = "The base gives no exercise line - " + error.Message;
    return false;
  }
  return true;
}

void TCourse::RunSession(TUser* user) { getRoot()->getWindowOpener()->RunSession(this, user); }
