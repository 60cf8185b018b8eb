#pragma once
// A program installed in a fresh folder ("prog", with its courses folder), so that a root built
// on it finds its localization file, users and courses there; the data folder is the program
// folder. The root is the application object or a plain test's stand-in (support/plainroot.h).
// The program path is restored when the test ends.

#include <filesystem>
#include <memory>
#include <string>

#include "support/tempdir.h"
#include "toolkit/exename.h"

template <class TRootOf>
class InstalledProgram {
public:
  InstalledProgram() {
    std::filesystem::create_directories(getCoursesDir());
    SetExeName(Program + "/lomtak");
  }
  ~InstalledProgram() {
    Root.reset();
    SetExeName("");
  }
  InstalledProgram(const InstalledProgram&) = delete;
  InstalledProgram& operator=(const InstalledProgram&) = delete;

  const std::string& getProgramDir() const { return Program; }
  std::string getCoursesDir() const { return Program + "/Modules/Languages"; }
  std::string getUsersDir() const { return Program + "/Users"; }

  // Localization.ini with these bytes (CR LF written by the caller where wanted).
  void Localize(const std::string& bytes) const {
    TempDir::Write(Program + "/Localization.ini", bytes);
  }

  // The root, built on first use and kept until the installation goes.
  TRootOf& root() {
    if (!Root) Root = std::make_unique<TRootOf>();
    return *Root;
  }
  void Rebuild() {
    Root.reset();
    root();
  }

private:
  TempDir Dir;
  std::string Program = Dir / "prog";
  std::unique_ptr<TRootOf> Root;
};
