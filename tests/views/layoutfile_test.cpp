#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "keyboardfixture.h"
#include "support/courses.h"
#include "support/tempdir.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"

namespace {

constexpr int kQ = 16, kA = 30, kGrave = 41, kThree = 4, kSlash = 53, kSpace = 57, kBackspace = 14,
              kLeftShift = 42;

class LayoutFileTest : public KeyboardTest {
protected:
  // Loads a layout given as its text.
  bool Load(const std::string& text) {
    TempDir::Write(folder / "Test.Layout", text);
    return keyboard.LoadLayout(folder / "Test.Layout");
  }
  static std::string Repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
  }
  static std::string Layout(const std::string& keys) {
    return "<?xml version=\"1.0\"?>\n<keyboard>\n  <buttons>\n" + keys +
           "  </buttons>\n</keyboard>\n";
  }
  void ExpectKey(int scanCode, char value, char shiftValue, uint8_t kind) {
    SCOPED_TRACE(scanCode);
    EXPECT_EQ(Button(scanCode).Value, value);
    EXPECT_EQ(Button(scanCode).ShiftValue, shiftValue);
    EXPECT_EQ(Button(scanCode).Kind, kind);
  }

  TempDir folder;
};

TEST_F(LayoutFileTest, TheRussianCourseGivesItsKeysCyrillicCharactersOfItsCodePage) {
  keyboard.Font()->setCharset(RUSSIAN_CHARSET);
  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("Russian.Layout")));
  ExpectKey(kQ, '\xE9', '\xC9', kkLetter);      // й Й
  ExpectKey(kGrave, '\xB8', '\xA8', kkLetter);  // ё Ё
  ExpectKey(kThree, '3', '\xB9', kkSign);       // 3 №
  ExpectKey(kSlash, '.', ',', kkSign);
  EXPECT_EQ(Button(kQ).Font.Charset(), RUSSIAN_CHARSET) << "keys of the file: the course's";
  EXPECT_EQ(Button(kBackspace).Font.Charset(), ANSI_CHARSET) << "the others: Western";

  held.CapsLock = true;
  EXPECT_EQ(Press(kGrave), '\xA8') << "Caps Lock applies to the file's letter keys";
  Release(kGrave);
  held.CapsLock = false;
  Press(kLeftShift);
  EXPECT_EQ(Press(kA), '\xD4');  // Ф
}

TEST_F(LayoutFileTest, TheEnglishCourseKeepsTheBuiltInCharacters) {
  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("English.Layout")));
  ExpectKey(kQ, 'q', 'Q', kkLetter);
  ExpectKey(kThree, '3', '#', kkSign);
  ExpectKey(kSpace, ' ', ' ', kkSign);
  EXPECT_EQ(Button(kSpace).Caption, "Space");
}

TEST_F(LayoutFileTest, TheWesternTestCourseGivesItsKeysLettersOfItsCodePage) {
  keyboard.Font()->setCharset(kWesternCharset);
  ASSERT_TRUE(keyboard.LoadLayout(TestCourseFile("German.Layout")));
  ExpectKey(kQ + 5, 'z', 'Z', kkLetter);
  ExpectKey(kA + 9, '\xF6', '\xD6', kkLetter);   // ö Ö
  ExpectKey(kA + 10, '\xE4', '\xC4', kkLetter);  // ä Ä
  EXPECT_EQ(CodePageOfCharset(Button(kA + 9).Font.Charset()), 1252);
}

TEST_F(LayoutFileTest, EveryLoadStartsAgainFromTheBuiltInLayout) {
  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("Russian.Layout")));
  ASSERT_TRUE(Load(Layout("")));
  ExpectKey(kQ, 'q', 'Q', kkLetter);
  ExpectKey(kGrave, '`', '~', kkSign);
  EXPECT_EQ(Button(kQ).Font.Charset(), ANSI_CHARSET);

  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("Russian.Layout")));
  EXPECT_TRUE(Load("<keyboard/>")) << "no buttons node: the built-in layout";
  ExpectKey(kQ, 'q', 'Q', kkLetter);
}

TEST_F(LayoutFileTest, KeyElementsChangeEveryKeyOfTheirScanCode) {
  ASSERT_TRUE(
      Load(Layout("    <button sc=\"16\" type=\"Letter\" value=\"ab\" shiftvalue=\"CD\"/>\n"
                  "    <!-- a comment is no key -->\n"
                  "    <key sc=\"30\" type=\"letter\"/>\n"
                  "    <button type=\"letter\" value=\"z\"/>\n"
                  "    <button sc=\"57\" value=\" \" shiftvalue=\" \" caption=\"Leer\"/>\n"
                  "    <button sc=\"100\" type=\"letter\" value=\"x\"/>\n"
                  "    <button sc=\"2\" type=\"control\" value=\"1\"/>\n"
                  "    <button sc=\"2\" type=\"modifier\" value=\"!\"/>\n"
                  "    <button sc=\"-54\" type=\"sign\" value=\"/\"/>\n")));
  ExpectKey(kQ, 'a', 'C', kkSign);  // capital "Letter" is no letter
  ExpectKey(kA, 0, 0, kkLetter);    // of any element name; no characters
  ExpectKey(kSpace, ' ', ' ', kkSign);
  EXPECT_EQ(Button(kSpace).Caption, "Leer");
  ExpectKey(2, '!', 0, kkModifier);  // the later element wins
  ExpectKey(-54, '/', 0, kkSign);
  EXPECT_EQ(Button(-54).Caption, "") << "a missing caption empties it";

  held.CapsLock = true;
  EXPECT_EQ(Press(kQ), 'a') << "Caps Lock does not apply to a sign key";
  Release(kQ);
  EXPECT_EQ(Press(kA), 0);
}

TEST_F(LayoutFileTest, AFileThatIsNoKeyboardLayoutChangesNothing) {
  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("Russian.Layout")));
  std::string russian = TempDir::Read(ShippedCourseFile("Russian.Layout"));
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"truncated", russian.substr(0, russian.size() / 2)},
      {"malformed", "<keyboard><buttons><button sc=\"16\" value=\"q\"></keyboard>"},
      {"another root", "<html><buttons><button sc=\"16\" value=\"q\"/></buttons></html>"},
      {"not XML", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
      {"nested too deep", "<keyboard><buttons>" + Repeated("<a>", 100000) +
                              Repeated("</a>", 100000) + "</buttons></keyboard>"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(Load(c.text));
    ExpectKey(kQ, '\xE9', '\xC9', kkLetter);
  }
  EXPECT_FALSE(keyboard.LoadLayout(folder / "missing.Layout"));
  ExpectKey(kQ, '\xE9', '\xC9', kkLetter);
  std::filesystem::create_directory(folder / "Folder.Layout");
  EXPECT_FALSE(keyboard.LoadLayout(folder / "Folder.Layout")) << "a folder is no file";
  ExpectKey(kQ, '\xE9', '\xC9', kkLetter);
}

TEST_F(LayoutFileTest, NestingThatIsNoDeeperThanALayoutsIsRead) {
  // Markup signs inside quotes, comments and CDATA open no element.
  ASSERT_TRUE(
      Load(Layout("    <!-- <<<< -->\n    <![CDATA[<<<<]]>\n" +
                  Repeated("    <button sc=\"52\" value=\".\" shiftvalue=\">\"/>\n", 2000))));
  ExpectKey(52, '.', '>', kkSign);
}

TEST_F(LayoutFileTest, AScanCodeThatIsNoNumberRaisesAfterTheKeysBefore) {
  ASSERT_TRUE(keyboard.LoadLayout(ShippedCourseFile("Russian.Layout")));
  try {
    Load(
        Layout("    <button sc=\"16\" value=\"x\"/>\n"
               "    <button sc=\"3O\" value=\"y\"/>\n"
               "    <button sc=\"30\" value=\"z\"/>\n"));
    FAIL() << "no error";
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message, "'3O' is not a valid integer value");
  }
  ExpectKey(kQ, 'x', 0, kkSign);
  ExpectKey(kA, 'a', 'A', kkLetter);  // back to the built-in layout, up to the bad key
}

}  // namespace
