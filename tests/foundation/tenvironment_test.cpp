#include "foundation/tenvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "foundation/tinioptions.h"
#include "platform/filesystem.h"
#include "support/faultyfilesystem.h"
#include "support/scopedenv.h"
#include "support/tempdir.h"
#include "support/usualumask.h"
#include "toolkit/exename.h"

namespace {

namespace fs = std::filesystem;

// A program installed in "prog" of a fresh folder, with the application-data folder "appdata"
// beside it (not made yet).
class EnvironmentTest : public ::testing::Test {
protected:
  void SetUp() override {
    fs::create_directory(program);
    SetExeName(program + "/lomtak");
  }
  void TearDown() override { SetExeName(""); }

  TempDir dir;
  std::string program = dir / "prog", appData = dir / "appdata";
  ScopedEnv xdg{"XDG_DATA_HOME", appData.c_str()};
};

TEST_F(EnvironmentTest, WritableProgramFolderIsTheDataFolder) {
  TEnvironment environment;
  EXPECT_EQ(environment.getProgramDir(), program);
  EXPECT_EQ(environment.getDataDir(), program);
  EXPECT_EQ(environment.getOptionsFileName(), program + "/Lomtak.ini");
  EXPECT_EQ(environment.getOptions()->FileName, program + "/Lomtak.ini");
  EXPECT_TRUE(environment.getOptions()->Writable);
  EXPECT_EQ(environment.getUsersDir(), program + "/Users");
  // The first run writes the key with an empty value.
  EXPECT_EQ(TempDir::Read(program + "/Lomtak.ini"), "[Environment]\r\nUsersDirectory=''\r\n");
  EXPECT_FALSE(fs::exists(appData));
  EXPECT_FALSE(fs::exists(program + "/Users"));  // the user list makes it
}

TEST_F(EnvironmentTest, InstallationPathsWhetherTheyExistOrNot) {
  TEnvironment environment;
  EXPECT_EQ(environment.getLocalizationFileName(), program + "/Localization.ini");
  EXPECT_EQ(environment.getLocalization()->FileName, program + "/Localization.ini");
  EXPECT_FALSE(environment.getLocalization()->Writable);
  EXPECT_EQ(environment.getManualFileName(), program + "/Manual.chm");
  EXPECT_EQ(environment.getCoursesDir(), program + "/Modules/Languages");
  EXPECT_EQ(environment.getWallpapersDir(), program + "/Environment/Wallpapers");
  EXPECT_EQ(environment.getSoundsDir(), program + "/Environment/Sounds");
  EXPECT_EQ(environment.getThemesDir(), program + "/Environment/Themes");
  // A missing localization file reads every text as its default and is never written.
  EXPECT_EQ(environment.getLocalization()->ReadString("General", "Charset", "204"), "204");
  EXPECT_FALSE(fs::exists(program + "/Localization.ini"));
}

TEST_F(EnvironmentTest, UnwritableProgramFolderFallsBackToApplicationData) {
  // Root writes through permission bits, so the program folder is made unwritable by standing
  // under a regular file, or by a file system that refuses entries in it.
  TempDir::Write(dir / "file", "x");
  // Other accounts may enter the folder above the application-data folder.
  fs::permissions(dir.path(), fs::perms(0755));
  struct Case {
    const char* name;
    std::string program;
    bool lock;
  } cases[] = {
      {"UnderARegularFile", dir / "file/prog", false},
      {"FolderRefusesEntries", program, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(appData);
    FaultyFileSystem disk;
    if (c.lock) disk.Fail(FileOperation::MakeFolder, c.program + "/", std::errc::permission_denied);
    SetExeName(c.program + "/lomtak");
    // What it makes is the owner's alone, whatever the umask.
    UsualUmask mask(0);
    TEnvironment environment;
    EXPECT_EQ(environment.getDataDir(), appData + "/Lomtak");
    EXPECT_EQ(TempDir::Mode(appData + "/Lomtak"), 0700u);
    EXPECT_EQ(TempDir::Mode(appData), 0700u);
    EXPECT_EQ(environment.getOptions()->FileName, appData + "/Lomtak/Lomtak.ini");
    EXPECT_EQ(environment.getUsersDir(), appData + "/Lomtak/Users");
    EXPECT_EQ(TempDir::Mode(appData + "/Lomtak/Lomtak.ini"), 0600u);
    EXPECT_EQ(environment.getCoursesDir(), c.program + "/Modules/Languages");
  }
}

// A file system on which a folder of the test's is a link that leads elsewhere, as the folder
// of an installed package is reached; what stands there stays writable, as /usr is to root.
class LinkedFolder final : public TFileSystemWrapper {
public:
  LinkedFolder(std::string link, std::string target)
      : TFileSystemWrapper(PosixFileSystem()), Link(std::move(link)), To(std::move(target)) {
    Previous = SetFileSystem(this);
  }
  ~LinkedFolder() override { SetFileSystem(Previous); }
  LinkedFolder(const LinkedFolder&) = delete;
  LinkedFolder& operator=(const LinkedFolder&) = delete;

  std::string LinkTarget(const std::string& path) override {
    return path == Link ? To : Target.LinkTarget(path);
  }

private:
  std::string Link, To;
  TFileSystem* Previous = nullptr;
};

// What /usr holds is the distribution's: a program installed there writes nothing beside
// itself, even where it may, so that removing it leaves nothing. Judged on the real path.
TEST_F(EnvironmentTest, ProgramFolderInTheSystemTreeIsNeverTheDataFolder) {
  fs::permissions(dir.path(), fs::perms(0755));
  fs::create_directories(dir / "prefix/lib/lomtak");
  struct Case {
    const char* name;
    std::string program, link, target;
    bool system;
  } cases[] = {
      {"PackageFolder", program, program, "/usr/lib/lomtak", true},
      {"LinkOnTheWay", dir / "prefix/lib/lomtak", dir / "prefix", "/usr/local", true},
      {"TheSystemTreeItself", program, program, "/usr", true},
      {"NameThatOnlyBeginsLikeIt", program, program, "/usrlocal/lomtak", false},
      {"PortableElsewhere", program, program, "/opt/lomtak", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(appData);
    for (const auto& entry : fs::directory_iterator(c.program)) fs::remove_all(entry.path());
    LinkedFolder files(c.link, c.target);
    SetExeName(c.program + "/lomtak");
    TEnvironment environment;
    const std::string data = c.system ? appData + "/Lomtak" : c.program;
    EXPECT_EQ(environment.getDataDir(), data);
    EXPECT_EQ(environment.getOptions()->FileName, data + "/Lomtak.ini");
    EXPECT_EQ(environment.getUsersDir(), data + "/Users");
    EXPECT_EQ(fs::is_empty(c.program), c.system);
    EXPECT_EQ(environment.getCoursesDir(), c.program + "/Modules/Languages");
  }
}

// A writable copy of the installation reached through a real link, as the tests and the
// benchmarks make one, is its own data folder.
TEST_F(EnvironmentTest, LinkedPortableFolderIsTheDataFolder) {
  fs::create_directory_symlink(program, dir / "link");
  SetExeName(dir / "link/lomtak");
  TEnvironment environment;
  EXPECT_EQ(environment.getDataDir(), dir / "link");
  EXPECT_EQ(environment.getUsersDir(), dir / "link/Users");
  EXPECT_TRUE(fs::exists(program + "/Lomtak.ini"));
  EXPECT_FALSE(fs::exists(appData));
}

// A full disk is no unwritable folder: the data stays where it is, and the main INI file, whose
// "UsersDirectory" the first run writes back, keeps what it held.
TEST_F(EnvironmentTest, AFullDiskKeepsTheDataFolderAndTheMainIniFile) {
  const std::string ini = program + "/Lomtak.ini";
  TempDir::Write(ini, "[Other]\r\nKey='x'\r\n");
  fs::create_directory(program + "/Users");
  const auto before = TempDir::Contents(dir.path());
  FaultyFileSystem disk;
  disk.FillAfter(0);
  TEnvironment environment;
  EXPECT_EQ(environment.getDataDir(), program);
  EXPECT_EQ(environment.getUsersDir(), program + "/Users");
  EXPECT_EQ(environment.getOptions()->LastError, "Error while inifile writing");
  EXPECT_EQ(TempDir::Contents(dir.path()), before);
}

TEST_F(EnvironmentTest, ConfiguredUsersFolder) {
  TempDir::Write(dir / "file", "x");
  struct Case {
    const char* name;
    std::string configured, expected;
  } cases[] = {
      {"MissingIsCreated", dir / "elsewhere/users", dir / "elsewhere/users"},
      {"CannotBeCreated", dir / "file/users", program + "/Users"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TEnvironment environment;
    environment.getOptions()->WriteString("Environment", "UsersDirectory", c.configured);
    EXPECT_EQ(environment.getUsersDir(), c.expected);
    EXPECT_EQ(environment.getOptions()->ReadString("Environment", "UsersDirectory", ""),
              c.configured);
  }
  EXPECT_TRUE(fs::is_directory(dir / "elsewhere/users"));
}

TEST_F(EnvironmentTest, IsUsableDir) {
  TEnvironment environment;
  TempDir::Write(dir / "file", "x");
  EXPECT_FALSE(environment.isUsableDir(""));
  EXPECT_FALSE(environment.isUsableDir(dir / "file"));
  EXPECT_FALSE(environment.isUsableDir(dir / "file/sub"));
  EXPECT_TRUE(environment.isUsableDir(dir / "new/deep/folder"));
  EXPECT_TRUE(fs::is_directory(dir / "new/deep/folder"));
}

}  // namespace
