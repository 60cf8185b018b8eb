#include "app/tlomtak.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <typeinfo>

#include "app/tversion.h"
#include "engine/tcourses.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "support/installation.h"
#include "support/notedwrites.h"
#include "support/plainroot.h"
#include "support/tempdir.h"
#include "support/usualumask.h"
#include "users/tuser.h"
#include "users/tusers.h"

namespace {

TEST(TLomtak, OwnsTheObjectsOfTheRunAndIsItsOwnRoot) {
  Installation app;
  TLomtak& root = app.root();
  EXPECT_EQ(root.getRoot(), &root);
  EXPECT_EQ(root.getOwner(), nullptr);
  EXPECT_EQ(root.getEnvironment()->getProgramDir(), app.getProgramDir());
  EXPECT_EQ(root.getLocalization(), root.getEnvironment()->getLocalization());
  EXPECT_EQ(root.getUsers()->getDirectory(), app.getUsersDir());
  EXPECT_EQ(root.getUsers()->getRoot(), &root);
  EXPECT_EQ(root.getCourses()->getDirectory(), app.getCoursesDir());
  EXPECT_EQ(root.getCourses()->getRoot(), &root);
  EXPECT_EQ(root.getVersion()->getRoot(), &root);
  EXPECT_NE(root.getSite(), nullptr);
}

// The program's windows take the courses, the version and the site from the root they reach.
TEST(TLomtak, OfFindsTheApplicationObjectAndRefusesAnotherRoot) {
  {
    Installation app;
    EXPECT_EQ(TLomtak::Of(&app.root()), &app.root());
  }
  PlainInstallation plain;
  EXPECT_THROW(TLomtak::Of(&plain.root()), std::bad_cast);
}

TEST(TLomtak, VersionMessageCarriesTheFileVersion) {
  Installation app;
  const std::string version = app.root().getVersion()->getFileVersion();
  ASSERT_FALSE(version.empty());
  EXPECT_EQ(app.root().getMessage("Version"), "Version: " + version);
  EXPECT_EQ(app.root().Format("%VERSION%/%version%"), version + "/%version%");

  app.Localize("[TLomtak]\r\nVersion=Build\\n%VERSION%\r\n");
  app.Rebuild();
  EXPECT_EQ(app.root().getMessage("Version"), "Build\r\n" + version);
}

TEST(TLomtak, ReadLocalizedGivesTheDefaultAndNeverWrites) {
  Installation app;
  const std::string file = app.getProgramDir() + "/Localization.ini";
  EXPECT_EQ(app.root().ReadLocalized("TUser", "Deleted", "default"), "default");
  EXPECT_FALSE(std::filesystem::exists(file));

  const std::string bytes = "[TUser]\r\nDeleted=Gone\\nfor good\r\nEmpty=''\r\n";
  app.Localize(bytes);
  struct Case {
    const char* name;
    std::string section, key, result;
  } cases[] = {
      {"LineBreaks", "TUser", "Deleted", "Gone\r\nfor good"},
      {"SectionAndKeyIgnoreCase", "tuser", "DELETED", "Gone\r\nfor good"},
      {"EmptyValue", "TUser", "Empty", "default"},
      {"MissingKey", "TUser", "Missing", "default"},
      {"MissingSection", "TUsers", "Deleted", "default"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(app.root().ReadLocalized(c.section, c.key, "default"), c.result);
  }
  EXPECT_EQ(TempDir::Read(file), bytes);
}

// Another account that could change the settings could point the users folder anywhere: the
// settings, the users folder, the profiles and every file written on the way to them are the
// owner's alone, whatever the umask, also in an installation folder that others may enter.
TEST(TLomtak, UnderAnOpenUmaskTheDataIsTheOwnersAlone) {
  UsualUmask mask(0);
  Installation app;
  std::filesystem::permissions(app.getProgramDir(), std::filesystem::perms(0755));
  NotedWrites writes;
  app.root().getUsers()->Add("Anna", "pw");
  app.Rebuild();
  app.root().getUsers()->Find("Anna")->getOptions()->WriteString("SessionForm", "Theme", "x");
  app.root().getEnvironment()->getOptions()->WriteString("Environment", "UsersDirectory", "");
  const std::string users = app.getUsersDir();
  EXPECT_EQ(TempDir::Mode(app.getProgramDir() + "/Lomtak.ini"), 0600u);
  EXPECT_EQ(TempDir::Mode(users), 0700u);
  EXPECT_EQ(TempDir::Mode(users + "/Anna"), 0700u);
  EXPECT_EQ(TempDir::Mode(users + "/Anna/Profile.ini"), 0600u);
  EXPECT_EQ(writes.OpenToOthers, std::vector<std::string>());
}

}  // namespace
