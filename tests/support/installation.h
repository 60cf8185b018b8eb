#pragma once
// A program installed in a fresh folder ("prog", with its courses folder), so that building the
// application object finds its localization file, users and courses there; the data folder is
// the program folder. The program path is restored when the test ends.

#include <filesystem>
#include <memory>
#include <string>

#include "app/tlomtak.h"
#include "support/tempdir.h"
#include "toolkit/exename.h"

class Installation {
public:
  Installation() {
    std::filesystem::create_directories(getCoursesDir());
    SetExeName(Program + "/lomtak");
  }
  ~Installation() {
    Root.reset();
    SetExeName("");
  }
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  const std::string& getProgramDir() const { return Program; }
  std::string getCoursesDir() const { return Program + "/Modules/Languages"; }
  std::string getUsersDir() const { return Program + "/Users"; }

  // Localization.ini with these bytes (CR LF written by the caller where wanted).
  void Localize(const std::string& bytes) const {
    TempDir::Write(Program + "/Localization.ini", bytes);
  }

  // The application object, built on first use and kept until the installation goes.
  TLomtak& root() {
    if (!Root) Root = std::make_unique<TLomtak>();
    return *Root;
  }
  void Rebuild() {
    Root.reset();
    root();
  }

private:
  TempDir Dir;
  std::string Program = Dir / "prog";
  std::unique_ptr<TLomtak> Root;
};
