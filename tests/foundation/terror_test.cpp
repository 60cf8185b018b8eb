#include "foundation/terror.h"

#include <gtest/gtest.h>

#include "toolkit/exception.h"
#include "toolkit/messagebox.h"
#include "toolkit/sysutils.h"

namespace {

// Records every box instead of showing it.
class ErrorBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous = SetMessageDlgHandler([this](const std::string& text, TMsgDlgType type) {
      boxes.push_back(text);
      EXPECT_EQ(type, mtError);
      return mrOk;
    });
  }
  void TearDown() override { SetMessageDlgHandler(previous); }

  TMessageDlgHandler previous;
  std::vector<std::string> boxes;
};

TEST_F(ErrorBoxTest, MessagesParseIntoCodeSeverityAndText) {
  struct Case {
    const char* name;
    std::string message;
    std::string code;
    int severity;
    std::string text;
  } cases[] = {
      {"Fatal", "4C3B0DCB/F No base", "4C3B0DCB", 4, " No base"},
      {"Hint", "140E5929/H Can't save user data!", "140E5929", 2, " Can't save user data!"},
      {"System", "00000001/S x", "00000001", 1, " x"},
      {"CodeAndLetterOnly", "ED1C88A5/C", "ED1C88A5", 3, ""},
      {"SlashWithoutLetter", "ED1C88A5/", "ED1C88A5", 0, ""},
      {"LowerCaseLetter", "9A721782/f text", "9A721782", 0, " text"},
      {"OtherLetter", "9A721782/X text", "9A721782", 0, " text"},
      {"BlankInPlaceOfSlash", "547AA007 Message 'x' not exists!", "", 0, ""},
      {"BareCode", "766A655C", "", 0, ""},
      {"Empty", "", "", 0, ""},
      {"SlashTooEarly", "1234567/F text", "", 0, ""},
      {"LongTextCut", "12345678/H " + std::string(1500, 'x'), "12345678", 2,
       " " + std::string(999, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TError error{Exception(c.message)};
    EXPECT_EQ(error.Code, c.code);
    EXPECT_EQ(error.Severity, c.severity);
    EXPECT_EQ(error.Text, c.text);
    boxes.clear();
    error.Show();
    EXPECT_EQ(boxes, std::vector<std::string>{"#" + c.code});
  }
}

TEST_F(ErrorBoxTest, LibraryErrorsShowTheBareHash) {
  try {
    StrToInt("abc");
  } catch (const Exception& e) {
    TError(e).Show();
  }
  TError(std::runtime_error("not coded")).Show();
  EXPECT_EQ(boxes, (std::vector<std::string>{"#", "#"}));
}

}  // namespace
