#include "toolkit/exename.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ExeName, RealProgramOrTheTestsStandIn) {
  std::string real = ExeName();
  EXPECT_TRUE(std::filesystem::path(real).is_absolute());
  EXPECT_EQ(std::filesystem::path(real).filename(), "test_toolkit");
  SetExeName("/opt/lomtak/lomtak");
  EXPECT_EQ(ExeName(), "/opt/lomtak/lomtak");
  SetExeName("");
  EXPECT_EQ(ExeName(), real);
}

}  // namespace
