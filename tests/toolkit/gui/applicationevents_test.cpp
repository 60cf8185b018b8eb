#include "toolkit/gui/applicationevents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "support/messageboxes.h"

namespace {

TEST(ApplicationEventsTest, TakesTheExceptionEventWhileItLivesAndGivesItBack) {
  MessageBoxes boxes;
  std::vector<std::string> before, hooked;
  Application->OnException = [&](TObject*, const Exception& e) { before.push_back(e.Message); };
  {
    TApplicationEvents events(nullptr);
    events.OnException = [&](TObject*, const Exception& e) { hooked.push_back(e.Message); };
    Application->Dispatch(nullptr, [] { throw Exception("hooked"); });
    events.OnException = nullptr;
    // Without a handler of its own the standard exception box shows the whole message.
    Application->Dispatch(nullptr, [] { throw Exception("4C3B0DCB/F No base"); });
  }
  Application->Dispatch(nullptr, [] { throw Exception("after"); });
  Application->OnException = nullptr;

  EXPECT_EQ(hooked, std::vector<std::string>{"hooked"});
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "4C3B0DCB/F No base");
  EXPECT_EQ(before, std::vector<std::string>{"after"});
}

}  // namespace
