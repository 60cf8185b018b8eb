#include "foundation/tltobject.h"

#include <gtest/gtest.h>

#include "support/messageboxes.h"
#include "support/plainroot.h"
#include "toolkit/exception.h"

namespace {

// A plain object of a class of its own, filling "%PROBE%" only.
class TProbe : public TLTObject {
public:
  explicit TProbe(TLTObject* owner) : TLTObject(owner) {}
  std::string Format(const std::string& text) const override {
    return ReplacePlaceholder(text, "PROBE", "probe");
  }
};

// A plain object whose class fills nothing.
class TPlain : public TLTObject {
public:
  using TLTObject::TLTObject;
};

class TLTObjectTest : public ::testing::Test {
protected:
  void SetUp() override {
    app.Localize(
        "[TProbe]\r\n"
        "Greeting=Hello\\nworld\r\n"
        "Blank=\r\n"
        "[TLTObject]\r\n"
        "Other=from the base class\r\n"
        "[TPlainRoot]\r\n"
        "Other=from the owner's class\r\n");
  }

  PlainInstallation app;
  MessageBoxes boxes;
};

TEST_F(TLTObjectTest, RootIsFoundUpTheOwnerChain) {
  TProbe child(&app.root());
  TProbe grandchild(&child);
  EXPECT_EQ(grandchild.getOwner(), &child);
  EXPECT_EQ(grandchild.getRoot(), &app.root());
  EXPECT_EQ(app.root().getRoot(), &app.root());
  EXPECT_EQ(TProbe(nullptr).getRoot(), nullptr);
}

TEST_F(TLTObjectTest, TextsComeFromTheSectionOfTheObjectsOwnClass) {
  TProbe probe(&app.root());
  probe.AddMessage("Greeting", "default greeting");
  probe.AddMessage("Other", "default other");
  probe.AddMessage("Blank", "default blank");
  EXPECT_EQ(probe.ClassName(), "TProbe");
  EXPECT_EQ(probe.getMessage("Greeting"), "Hello\r\nworld");
  EXPECT_EQ(probe.getMessage("Other"), "default other");
  EXPECT_EQ(probe.getMessage("Blank"), "default blank");
  // Without a root there is no localization file to ask.
  TProbe alone(nullptr);
  alone.AddMessage("Greeting", "default greeting");
  EXPECT_EQ(alone.getMessage("Greeting"), "default greeting");
}

TEST_F(TLTObjectTest, NamesIgnoreLetterCaseAndTheLastRegistrationWins) {
  TProbe probe(&app.root());
  probe.AddMessage("Deleted", "first");
  EXPECT_EQ(probe.getMessage("deleted"), "first");
  probe.AddMessage("DELETED", "second");
  EXPECT_EQ(probe.getMessage("Deleted"), "second");
}

TEST_F(TLTObjectTest, UndefinedMessagesRaiseWithTheClassName) {
  TProbe probe(&app.root());
  probe.AddMessage("Empty", "");
  probe.AddMessage("Removed", "text");
  probe.AddMessage("Removed", "");
  for (const char* name : {"Empty", "Removed", "Never"}) {
    SCOPED_TRACE(name);
    try {
      probe.getMessage(name);
      FAIL() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, std::string("8EE3FAC0/F Message 'TProbe/") + name + "' not defined");
    }
    EXPECT_THROW(probe.ShowMessage(name), Exception);
    EXPECT_THROW(probe.Confirm(name), Exception);
  }
  EXPECT_TRUE(boxes.Shown.empty());
}

TEST_F(TLTObjectTest, EachClassFillsOnlyItsOwnPlaceholders) {
  TProbe probe(&app.root());
  probe.AddMessage("Text", "%PROBE% %probe% %VERSION% %USER.NAME%");
  EXPECT_EQ(probe.getMessage("Text"), "probe %probe% %VERSION% %USER.NAME%");
  TPlain plain(&app.root());
  plain.AddMessage("Text", "%PROBE%");
  EXPECT_EQ(plain.getMessage("Text"), "%PROBE%");
}

TEST(ReplacePlaceholder, ReplacesLeftToRightWithoutScanningTheValue) {
  struct Case {
    const char* name;
    std::string text, placeholder, value, result;
  } cases[] = {
      {"Every", "%A% and %A%", "A", "x", "x and x"},
      {"CaseCounts", "%a% %A%", "A", "x", "%a% x"},
      {"ValueHoldsThePattern", "%A%", "A", "%A%%A%", "%A%%A%"},
      {"SharedPercent", "%A%A%", "A", "x", "xA%"},
      {"None", "plain", "A", "x", "plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TLTObject::ReplacePlaceholder(c.text, c.placeholder, c.value), c.result);
  }
}

TEST_F(TLTObjectTest, BoxesShowTheFilledTextAndOnlyYesConfirms) {
  TProbe probe(&app.root());
  probe.AddMessage("Question", "Delete %PROBE%?");
  probe.ShowMessage("Question");
  ASSERT_EQ(boxes.Shown.size(), 1u);
  EXPECT_EQ(boxes.Shown[0].Text, "Delete probe?");
  EXPECT_EQ(boxes.Shown[0].Type, mtInformation);
  struct Case {
    TModalResult answer;
    bool confirmed;
  } cases[] = {{mrYes, true}, {mrNo, false}, {mrCancel, false}, {mrOk, false}, {mrNone, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    boxes.Answer = c.answer;
    EXPECT_EQ(probe.Confirm("Question"), c.confirmed);
    EXPECT_EQ(boxes.Shown.back().Type, mtConfirmation);
    EXPECT_EQ(boxes.Shown.back().Text, "Delete probe?");
  }
}

}  // namespace
