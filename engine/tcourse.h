#pragma once
// One language course: its name, its ".Base" file (the ".Layout" and ".Info" files lie beside
// it), and once loaded its letter base and line generator, which it owns and keeps for the rest
// of the run. Owned by the catalogue. User-interface thread only.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/tltbase.h"
#include "foundation/tltobject.h"

class TCourses;
class TLTGenerator;
class TUser;

class TCourse : public TLTObject {
public:
  // The file is the catalogue's folder + "/" + name + extension (the letter case the listing
  // found). Raises "704DB5B4/H ..." (course file not found) when that is not a file.
  TCourse(TCourses* courses, const std::string& name, const std::string& extension = ".Base");
  ~TCourse() override;

  TCourses* getCourses() const { return Courses; }
  const std::string& getName() const { return Name; }
  const std::string& getFileName() const { return FileName; }
  // None before the course is loaded.
  TLTGenerator* getGenerator() const { return Generator.get(); }
  TLTBase* getBase() const { return Base.get(); }
  // The font character set of the loaded base's alphabet; 0 before loading.
  uint8_t getCharset() const;
  bool isLoaded() const { return Base != nullptr; }

  // Reads the base once, reporting progress, and builds the generator; a second call does
  // nothing. False, the course left unloaded and the reason in getErrorText, when the file
  // cannot be read as a base or the base gives no exercise line: a training screen is never
  // opened on it. A progress handler that raises ends the load, the course unloaded.
  bool Load(TProgressEvent onProgress);
  // Why the last Load failed.
  const std::string& getErrorText() const { return ErrorText; }
  // One training screen of this loaded course for the user; returns when it has gone.
  void RunSession(TUser* user);

private:
  // Whether a line comes from the loaded base; else ErrorText says why not.
  bool GivesLines(TLTBase& base);

  TCourses* Courses;
  std::string Name;
  std::string FileName;
  std::unique_ptr<TLTBase> Base;
  std::unique_ptr<TLTGenerator> Generator;
  std::string ErrorText;
};
