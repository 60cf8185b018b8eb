#include "foundation/tenvironment.h"

#include <filesystem>

#include "foundation/filetools.h"
#include "foundation/tinioptions.h"
#include "platform/filesystem.h"
#include "platform/shell.h"
#include "toolkit/exename.h"
#include "toolkit/fileio.h"

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The folder with every link on its way resolved, as far as the file system follows them.
std::string RealFolder(const std::string& folder) {
  std::filesystem::path real;
  for (const std::filesystem::path& part : std::filesystem::path(folder)) {
    real /= part;
    real = FileSystem().LinkTarget(real.string());
  }
  return real.string();
}

// /usr holds what the distribution's packages install, read-only by the file system hierarchy.
// Root may write there, but settings and users written there are no package's, and removing
// the program would leave them behind.
bool IsInSystemTree(const std::string& folder) {
  const std::filesystem::path relative =
      std::filesystem::path(RealFolder(folder)).lexically_relative("/usr");
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

TEnvironment::TEnvironment() {
  std::filesystem::path program(ExeName());
  ProgramDir = program.parent_path().string();
  AppDataDir = AppDataFolder();
  Options = std::make_unique<TIniOptions>(getOptionsFileName(), true);
  Localization = std::make_unique<TIniOptions>(getLocalizationFileName(), false);
}

TEnvironment::~TEnvironment() = default;

std::string TEnvironment::getOptionsFileName() const { return Join(getDataDir(), "Lomtak.ini"); }

std::string TEnvironment::getLocalizationFileName() const {
  return Join(ProgramDir, "Localization.ini");
}

std::string TEnvironment::getManualFileName() const { return Join(ProgramDir, "Manual.chm"); }

std::string TEnvironment::getCoursesDir() const { return Join(ProgramDir, "Modules/Languages"); }

std::string TEnvironment::getWallpapersDir() const {
  return Join(ProgramDir, "Environment/Wallpapers");
}

std::string TEnvironment::getSoundsDir() const { return Join(ProgramDir, "Environment/Sounds"); }

std::string TEnvironment::getThemesDir() const { return Join(ProgramDir, "Environment/Themes"); }

std::string TEnvironment::getDataDir() const {
  // Looked at first, so that nothing is made or probed in the system tree.
  if (!IsInSystemTree(ProgramDir) && isUsableDir(ProgramDir)) return ProgramDir;
  std::string folder = Join(AppDataDir, "Lomtak");
  isUsableDir(folder);
  return folder;
}

std::string TEnvironment::getUsersDir() const {
  std::string folder = Options->ReadString("Environment", "UsersDirectory", "");
  return isUsableDir(folder) ? folder : Join(getDataDir(), "Users");
}

bool TEnvironment::isUsableDir(const std::string& folder) const {
  // The data folder holds the settings that say where the users are: no other account may
  // change them, whatever the umask.
  FileSystem().MakeFolders(folder, 0700);
  return DirectoryExists(folder) && IsFolderWritable(folder);
}
