// What the program puts on the disk: the C library's fsync calls, which this executable
// replaces, counted by the file or folder they sync. Every save puts its file and then its
// folder on the disk, once: a save that reported success without either could lose the file in
// a crash, and a window's state or a theme written key by key would cost a sync per key.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "app/gui/tsessionform.h"
#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "support/courses.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/tempdir.h"
#include "toolkit/gui/application.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

namespace fs = std::filesystem;

bool counting = false;
std::map<std::string, int> syncs;

// The path of a descriptor; a replacement's temporary file counts as the file it replaces.
std::string PathOf(int fd) {
  char path[PATH_MAX];
  const ssize_t length =
      readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), path, sizeof path - 1);
  if (length <= 0) return "";
  std::string name(path, static_cast<size_t>(length));
  const size_t mark = name.rfind(".~");
  return mark == std::string::npos ? name : name.substr(0, mark);
}

template <class TFunction>
int Synced(const char* name, int fd) {
  if (counting) ++syncs[PathOf(fd)];
  return reinterpret_cast<TFunction>(dlsym(RTLD_NEXT, name))(fd);
}

}  // namespace

extern "C" {
int fsync(int fd) { return Synced<int (*)(int)>("fsync", fd); }
int fdatasync(int fd) { return Synced<int (*)(int)>("fdatasync", fd); }
}

namespace {

// The syncs that `body` makes, by path.
template <class TBody>
std::map<std::string, int> SyncsOf(TBody body) {
  syncs.clear();
  counting = true;
  body();
  counting = false;
  return syncs;
}

class FsyncCount : public testing::Test {
protected:
  void SetUp() override {
    for (const char* file : {"English.Base", "English.Layout", "English.Info"})
      fs::copy_file(ShippedCourseFile(file), Program.getCoursesDir() + "/" + file);
    User = Program.root().getUsers()->Add("Anna");
    // The paths as the system gives them back, links resolved.
    Profile = fs::canonical(User->getProfileFolder()).string();
  }

  Installation Program;
  TUser* User = nullptr;
  std::string Profile;
};

TEST_F(FsyncCount, EverySavePutsItsFileAndItsFolderOnTheDisk) {
  const std::string program = fs::canonical(Program.getProgramDir()).string();
  TTaskStatistic statistic(User->getProfileFolder() + "/English/Statistic",
                           User->getProfileFolder());
  statistic.Reset();
  statistic.AddKeystroke(1000, 'a', 'a', false);
  statistic.Save();
  const std::string folder = Profile + "/English/Statistic";
  const std::string stat = folder + "/" + fs::path(statistic.getFileName()).filename().string();
  const struct {
    const char* name;
    std::function<void()> save;
    std::string file, folder;
  } cases[] = {
      {"Statistics",
       [&] {
         statistic.AddKeystroke(1200, 'b', 'b', false);
         statistic.Save();
       },
       stat, folder},
      {"Profile", [&] { User->getOptions()->WriteString("SessionForm", "Theme", "Night.ini"); },
       Profile + "/Profile.ini", Profile},
      {"Settings",
       [&] {
         Program.root().getEnvironment()->getOptions()->WriteString("Environment", "UsersDirectory",
                                                                    "");
       },
       program + "/Lomtak.ini", program},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SyncsOf(c.save), (std::map<std::string, int>{{c.file, 1}, {c.folder, 1}}));
  }
}

// The training screen shown with a theme that lacks every key but one, then closed: each file
// it writes is put on the disk once for all it writes there at a time (the theme's missing keys,
// the profile's missing state, the state at the end), not once for every key.
TEST_F(FsyncCount, TheTrainingScreenPutsEachFileOnTheDiskOncePerGroupOfKeys) {
  const std::string themes = Program.getProgramDir() + "/Environment/Themes";
  fs::create_directories(themes);
  TempDir::Write(themes + "/Bare.ini", "[Session.Space]\r\nBackground=#102030\r\n");
  User->getOptions()->WriteBool("IntroductionForm", "AutoShow", false);
  User->getOptions()->WriteString("SessionForm", "Theme", "Bare.ini");
  TCourse* course = Program.root().getCourses()->getCourse("English");
  course->Load({});
  TOwnedPtr<TSessionForm> form;
  const std::map<std::string, int> counted = SyncsOf([&] {
    form.reset(new TSessionForm(nullptr, course, User));
    form->getTask()->NewTask();
    form->Show();
    Application->ProcessMessages();
    form.reset();
  });
  const std::string themesDir = fs::canonical(themes).string();
  std::map<std::string, int> files;
  for (const auto& [path, count] : counted)
    if (path.rfind(themesDir, 0) == 0 || path.rfind(Profile, 0) == 0) files[path] = count;
  EXPECT_EQ(files, (std::map<std::string, int>{{themesDir + "/Bare.ini", 1},
                                               {themesDir, 1},
                                               {Profile + "/Profile.ini", 2},
                                               {Profile, 2}}));
}

}  // namespace
