#include "platform/shell.h"

#include <gtest/gtest.h>

#include "support/scopedenv.h"

namespace {

TEST(Shell, AppDataFolderFollowsXdgDataHome) {
  struct Case {
    const char* name;
    const char* xdg;
    const char* home;
    std::string expected;
  } cases[] = {
      {"XdgSet", "/data/x", "/home/u", "/data/x"},
      {"XdgUnset", nullptr, "/home/u", "/home/u/.local/share"},
      {"XdgEmpty", "", "/home/u/", "/home/u/.local/share"},
      {"XdgRelativeIgnored", "rel", "/home/u", "/home/u/.local/share"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedEnv xdg("XDG_DATA_HOME", c.xdg), home("HOME", c.home);
    EXPECT_EQ(AppDataFolder(), c.expected);
  }
}

}  // namespace
