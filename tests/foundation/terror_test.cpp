#include "foundation/terror.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/messageboxes.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

namespace {

class ErrorBoxTest : public ::testing::Test {
protected:
  // The texts of the boxes shown, each of which must have been an error box.
  std::vector<std::string> ErrorBoxes() const {
    std::vector<std::string> texts;
    for (const MessageBoxes::TBox& box : boxes.Shown) {
      EXPECT_EQ(box.Type, mtError) << box.Text;
      texts.push_back(box.Text);
    }
    return texts;
  }

  MessageBoxes boxes;
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
    boxes.Shown.clear();
    error.Show();
    EXPECT_EQ(ErrorBoxes(), std::vector<std::string>{"#" + c.code});
  }
}

TEST_F(ErrorBoxTest, LibraryErrorsShowTheBareHash) {
  try {
    StrToInt("abc");
  } catch (const Exception& e) {
    TError(e).Show();
  }
  TError(std::runtime_error("not coded")).Show();
  EXPECT_EQ(ErrorBoxes(), (std::vector<std::string>{"#", "#"}));
}

}  // namespace
