#include "foundation/tinioptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "toolkit/exception.h"
#include "toolkit/sysutils.h"

namespace {

class IniOptionsTest : public ::testing::Test {
protected:
  void TearDown() override { DecimalSeparator = '.'; }

  // The file holding one key of section "S" with the stored form given.
  void Store(const std::string& stored) { TempDir::Write(file, "[S]\r\nK=" + stored + "\r\n"); }
  std::string Contents() const { return TempDir::Read(file); }

  TempDir dir;
  std::string file = dir / "Test.ini";
  TIniOptions store{file, true};
  TIniOptions readOnly{file, false};
};

TEST_F(IniOptionsTest, TextsAreStoredQuotedWithEscapedLineBreaks) {
  struct Case {
    const char* name;
    std::string text, stored, readBack;
  } cases[] = {
      {"Plain", "plain", "'plain'", "plain"},
      {"CrLf", "a\r\nb", "'a\\nb'", "a\r\nb"},
      {"BareLf", "a\nb", "'a\\nb'", "a\r\nb"},
      {"LoneCrStays", "a\rb", "'a\rb'", "a\rb"},
      {"Blanks", "  padded  ", "'  padded  '", "  padded  "},
      {"SingleQuoteInside", "it's", "'it's'", "it's"},
      {"DoubleQuotes", "\"q\"", "'\"q\"'", "\"q\""},
      {"LiteralBackslashN", "C:\\new", "'C:\\new'", "C:\r\new"},
      {"EmptyReadsAsDefault", "", "''", "<default>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(file);
    store.WriteString("S", "K", c.text);
    EXPECT_EQ(store.LastError, "");
    EXPECT_EQ(Contents(), "[S]\r\nK=" + c.stored + "\r\n");
    EXPECT_EQ(readOnly.ReadString("S", "K", "<default>"), c.readBack);
  }
}

TEST_F(IniOptionsTest, MissingOrEmptyValuesGiveTheDefaultAndAreWrittenBack) {
  for (const std::string& stored : {std::string(), std::string("''"), std::string("   ")}) {
    SCOPED_TRACE("stored: [" + stored + "]");
    Store(stored);
    EXPECT_EQ(readOnly.ReadString("S", "K", "dflt"), "dflt");
    EXPECT_EQ(Contents(), "[S]\r\nK=" + stored + "\r\n");
    EXPECT_EQ(store.ReadString("S", "K", "dflt"), "dflt");
    EXPECT_EQ(Contents(), "[S]\r\nK='dflt'\r\n");
  }
  std::filesystem::remove(file);
  EXPECT_EQ(readOnly.ReadString("S", "K", "d"), "d");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(store.ReadString("Environment", "UsersDirectory", ""), "");
  EXPECT_EQ(Contents(), "[Environment]\r\nUsersDirectory=''\r\n");
}

TEST_F(IniOptionsTest, ReadOnlyStoreNeverWrites) {
  readOnly.WriteString("S", "K", "v");
  readOnly.WriteInteger("S", "I", 1);
  EXPECT_EQ(readOnly.LastError, "");
  EXPECT_EQ(readOnly.ReadInteger("S", "I", 5), 5);
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(IniOptionsTest, LongValuesAreCutAfter2047Characters) {
  store.WriteString("S", "K", std::string(100000, 'x'));
  EXPECT_EQ(store.ReadString("S", "K", ""), std::string(2047, 'x'));
}

TEST_F(IniOptionsTest, TwoStoresOnOneFileSeeEachOther) {
  TIniOptions other(file, true);
  store.WriteString("S", "K", "first");
  EXPECT_EQ(other.ReadString("S", "K", ""), "first");
  other.WriteString("s", "k", "second");
  EXPECT_EQ(store.ReadString("S", "K", ""), "second");
}

TEST_F(IniOptionsTest, IntegersAndBooleans) {
  struct Case {
    const char* name;
    std::string stored;
    int32_t integer;
  } cases[] = {
      {"Decimal", "'42'", 42}, {"Negative", "'-5'", -5}, {"Hexadecimal", "'$1F'", 31},
      {"Unquoted", "7", 7},    {"Zero", "'0'", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Store(c.stored);
    EXPECT_EQ(store.ReadInteger("S", "K", 99), c.integer);
    EXPECT_EQ(store.ReadBool("S", "K", true), c.integer != 0);
  }
  Store("'2'");
  EXPECT_TRUE(store.ReadBool("S", "K", false));
  for (const char* word : {"'abc'", "'1.5'", "'yes'"}) {
    SCOPED_TRACE(word);
    Store(word);
    EXPECT_THROW(store.ReadInteger("S", "K", 0), EConvertError);
    EXPECT_THROW(store.ReadBool("S", "K", false), EConvertError);
  }
  std::filesystem::remove(file);
  EXPECT_EQ(store.ReadInteger("S", "I", -12), -12);
  EXPECT_FALSE(store.ReadBool("S", "B", false));
  store.WriteInteger("S", "W", 300);
  store.WriteBool("S", "T", true);
  EXPECT_EQ(Contents(), "[S]\r\nI='-12'\r\nB='0'\r\nW='300'\r\nT='1'\r\n");
}

TEST_F(IniOptionsTest, FloatsReadWithAPointUnderAnyLocale) {
  for (char separator : {'.', ','}) {
    SCOPED_TRACE(std::string("separator ") + separator);
    DecimalSeparator = separator;
    Store("'1.5'");
    EXPECT_DOUBLE_EQ(store.ReadFloat("S", "K", 0), 1.5);
    Store("'1,5'");
    if (separator == ',')
      EXPECT_DOUBLE_EQ(store.ReadFloat("S", "K", 0), 1.5);
    else
      EXPECT_THROW(store.ReadFloat("S", "K", 0), EConvertError);
    std::filesystem::remove(file);
    EXPECT_DOUBLE_EQ(store.ReadFloat("S", "K", 2.25), 2.25);
    EXPECT_EQ(Contents(), std::string("[S]\r\nK='2") + separator + "25'\r\n");
  }
}

TEST_F(IniOptionsTest, ColoursInTheirStoredForm) {
  EXPECT_EQ(TIniOptions::ColorToHtml(0x0000FF), "#FF0000");
  EXPECT_EQ(TIniOptions::ColorToHtml(0x00FF8000), "#0080FF");
  EXPECT_EQ(TIniOptions::ColorToHtml(0x7F123456), "#563412");
  EXPECT_EQ(TIniOptions::ColorToHtml(clBtnFace), "#0F0000");

  struct Case {
    const char* name;
    std::string text;
    bool valid;
    TColor color;
  } cases[] = {
      {"UpperCase", "#FF0000", true, 0x0000FF},
      {"LowerCase", "#0080ff", true, 0xFF8000},
      {"NoHash", "123456", true, 0x563412},
      {"Blanks", " \t#123456 ", true, 0x563412},
      {"HashAnywhere", "12#3456", true, 0x563412},
      {"ThreeDigits", "#FFF", false, 0},
      {"SevenDigits", "#1234567", false, 0},
      {"NotHex", "#GG0000", false, 0},
      {"SignInside", "#-12345", false, 0},
      {"TwoHashes", "##123456", false, 0},
      {"Empty", "", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.valid)
      EXPECT_EQ(TIniOptions::HtmlToColor(c.text), c.color);
    else
      EXPECT_ANY_THROW(TIniOptions::HtmlToColor(c.text));
    Store("'" + c.text + "'");
    EXPECT_EQ(store.ReadColor("S", "K", 0x010203), c.valid ? c.color : 0x010203);
  }
  try {
    TIniOptions::HtmlToColor("#FFF");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "96176C40/H");
  }
  std::filesystem::remove(file);
  EXPECT_EQ(store.ReadColor("S", "K", 0x00FF8000), 0x00FF8000);
  EXPECT_EQ(Contents(), "[S]\r\nK='#0080FF'\r\n");
}

TEST_F(IniOptionsTest, FailedWritesKeepTheFileAndSayWhy) {
  TempDir::Write(dir / "plain", "x");
  TIniOptions unwritable(dir / "plain/Test.ini", true);
  unwritable.WriteString("S", "K", "v");
  EXPECT_EQ(unwritable.LastError, "Error while inifile writing");
  EXPECT_EQ(unwritable.ReadString("S", "K", "d"), "d");
  EXPECT_EQ(unwritable.LastError, "Error while inifile writing");
  EXPECT_EQ(unwritable.ReadInteger("S", "K", 3), 3);

  std::filesystem::create_directory(dir / "folder");
  TIniOptions folder(dir / "folder", true);
  EXPECT_EQ(folder.ReadString("S", "K", "d"), "d");
  EXPECT_EQ(folder.LastError, "Error while inifile writing");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));

  Store("'old'");
  {
    FaultyFileSystem disk;
    disk.FillAfter(1024);
    store.WriteString("S", "K", std::string(5000, 'n'));
  }
  EXPECT_EQ(store.LastError, "Error while inifile writing");
  EXPECT_EQ(store.ReadString("S", "K", ""), "old");
  EXPECT_EQ(store.LastError, "");
}

// A group's defaults and writes reach the file in one write, or, when that fails, not at all:
// the store then says so.
TEST_F(IniOptionsTest, AGroupWritesItsDefaultsAndValuesOnceOrSaysWhy) {
  Store("'old'");
  {
    FaultyFileSystem disk;
    disk.Fail(FileOperation::Rename, file);
    {
      TIniOptionsGroup once(&store);
      EXPECT_EQ(store.ReadInteger("S", "Missing", 7), 7);
      store.WriteString("S", "K", "new");
      EXPECT_EQ(store.ReadString("S", "K", ""), "new");
      EXPECT_EQ(store.LastError, "");
    }
    EXPECT_EQ(store.LastError, "Error while inifile writing");
    EXPECT_EQ(Contents(), "[S]\r\nK='old'\r\n");
  }
  {
    TIniOptionsGroup once(&store);
    EXPECT_EQ(store.ReadInteger("S", "Missing", 7), 7);
    store.WriteString("S", "K", "new");
  }
  EXPECT_EQ(store.LastError, "");
  EXPECT_EQ(Contents(), "[S]\r\nK='new'\r\nMissing='7'\r\n");
}

TEST(LineBreaks, EscapeAndUnescape) {
  struct Case {
    const char* name;
    std::string plain, escaped;
  } cases[] = {
      {"CrLf", "a\r\nb", "a\\nb"},
      {"BareLf", "a\nb\n", "a\\nb\\n"},
      {"LoneCrKept", "a\rb", "a\rb"},
      {"LfCr", "a\n\rb", "a\\n\rb"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(EscapeLineBreaks(c.plain), c.escaped);
  }
  EXPECT_EQ(UnescapeLineBreaks("x\\ny\\n"), "x\r\ny\r\n");
  EXPECT_EQ(UnescapeLineBreaks("a\\\\nb"), "a\\\r\nb");
  EXPECT_EQ(UnescapeLineBreaks("no breaks"), "no breaks");
}

}  // namespace
