#include "toolkit/inifile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/faultyfilesystem.h"
#include "support/tempdir.h"
#include "toolkit/exception.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
  std::string Read(const std::string& content, const std::string& section, const std::string& key) {
    TempDir::Write(file, content);
    return TIniFile(file).ReadString(section, key, "<default>");
  }

  TempDir dir;
  std::string file = dir / "test.ini";
};

TEST_F(IniFileTest, ReadingFollowsThePrivateProfileRules) {
  struct Case {
    const char* name;
    std::string content, section, key, expected;
  } cases[] = {
      {"Plain", "[S]\r\nK=v\r\n", "S", "K", "v"},
      {"SectionAndKeyIgnoreCase", "[Sec]\r\nKey=v\r\n", "sEC", "KEY", "v"},
      {"BlanksTrimmed", "  [ S ]  \r\n  K  =  v w \t\r\n", "S", "K", "v w"},
      {"LfLines", "[S]\nK=v\n", "S", "K", "v"},
      {"NoLineEndAtAll", "[S]\nK=v", "S", "K", "v"},
      {"SingleQuotesRemoved", "[S]\nK=' v '\n", "S", "K", " v "},
      {"DoubleQuotesRemoved", "[S]\nK=\"v\"\n", "S", "K", "v"},
      {"OnlyOnePairRemoved", "[S]\nK=''v''\n", "S", "K", "'v'"},
      {"MismatchedQuotesKept", "[S]\nK='v\"\n", "S", "K", "'v\""},
      {"LoneQuoteKept", "[S]\nK='\n", "S", "K", "'"},
      {"InnerQuoteKept", "[S]\nK='it's'\n", "S", "K", "it's"},
      {"EmptyValueIsEmpty", "[S]\nK=\n", "S", "K", ""},
      {"EqualsInValue", "[S]\nK=a=b\n", "S", "K", "a=b"},
      {"MissingKey", "[S]\nOther=v\n", "S", "K", "<default>"},
      {"MissingSection", "[T]\nK=v\n", "S", "K", "<default>"},
      {"KeyOfAnotherSection", "[S]\n[T]\nK=v\n", "S", "K", "<default>"},
      {"KeyBeforeAnySection", "K=v\n[S]\n", "S", "K", "<default>"},
      {"LineWithoutEqualsIsNoKey", "[S]\nK\n", "S", "K", "<default>"},
      {"FirstSectionOfANameWins", "[S]\nA=1\n[S]\nK=2\n", "S", "K", "<default>"},
      {"FirstKeyOfANameWins", "[S]\nK=1\nk=2\n", "S", "K", "1"},
      {"CommentIsNotTheKey", "[S]\n;K=1\n", "S", "K", "<default>"},
      {"SectionWithoutClosingBracket", "[S\nK=v\n", "S", "K", "v"},
      {"EmptyFile", "", "S", "K", "<default>"},
      {"CutAfter2047", "[S]\nK=" + std::string(2047, 'a') + "b\n", "S", "K",
       std::string(2047, 'a')},
      {"HugeQuotedValue", "[S]\nK='" + std::string(100000, 'x') + "'\n", "S", "K",
       std::string(2047, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(c.content, c.section, c.key), c.expected);
  }
}

TEST_F(IniFileTest, MissingOrUnreadableFileReadsAsDefault) {
  EXPECT_EQ(TIniFile(dir / "missing.ini").ReadString("S", "K", "d"), "d");
  EXPECT_EQ(TIniFile(dir.path()).ReadString("S", "K", "d"), "d");
  EXPECT_EQ(TIniFile("").ReadString("S", "K", "d"), "d");
}

TEST_F(IniFileTest, BinaryJunkNeverBreaksReadingOrWriting) {
  std::string junk;
  for (int round = 0; round < 8; ++round)
    for (int byte = 0; byte < 256; ++byte) junk += static_cast<char>((byte * 37 + round) & 0xFF);
  TempDir::Write(file, junk);
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadString("S", "K", "d"), "d");
  ini.WriteString("S", "K", "v");
  EXPECT_EQ(ini.ReadString("S", "K", "d"), "v");
}

TEST_F(IniFileTest, FirstWriteCreatesFileAndSectionWithCrLf) {
  TIniFile ini(file);
  ini.WriteString("General", "Password", "'x'");
  EXPECT_EQ(TempDir::Read(file), "[General]\r\nPassword='x'\r\n");
  ini.WriteString("Other", "A", "1");
  EXPECT_EQ(TempDir::Read(file), "[General]\r\nPassword='x'\r\n\r\n[Other]\r\nA=1\r\n");
}

TEST_F(IniFileTest, WriteEditsInPlaceAndKeepsEverythingElse) {
  TempDir::Write(file, "; comment\n[S]\nkey = old\njunk line\n\n[T]\nX=1\n");
  TIniFile ini(file);
  ini.WriteString("s", "KEY", "new");
  ini.WriteString("S", "Added", "2");
  ini.WriteString("T", "Y", "3");
  EXPECT_EQ(TempDir::Read(file),
            "; comment\r\n[S]\r\nkey=new\r\njunk line\r\nAdded=2\r\n\r\n[T]\r\nX=1\r\nY=3\r\n");
  EXPECT_EQ(ini.ReadString("S", "key", "d"), "new");
}

TEST_F(IniFileTest, FailedWriteRaisesAndLeavesTheOldFile) {
  TempDir::Write(dir / "plain", "x");
  std::filesystem::create_directory(dir / "folder");
  for (const std::string& path :
       {dir / "missing/test.ini", dir / "plain/test.ini", dir / "folder"}) {
    SCOPED_TRACE(path);
    try {
      TIniFile(path).WriteString("S", "K", "v");
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message, "Unable to write to " + path);
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));
  EXPECT_EQ(dir.EntryCount(), 2u);
}

TEST_F(IniFileTest, FullDiskKeepsTheOldContent) {
  const std::string old = "[S]\r\nK=old\r\n";
  TempDir::Write(file, old);
  {
    FaultyFileSystem disk;
    disk.FillAfter(4096);
    EXPECT_THROW(TIniFile(file).WriteString("S", "K", std::string(10000, 'v')), Exception);
  }
  EXPECT_EQ(TempDir::Read(file), old);
  EXPECT_EQ(dir.EntryCount(), 1u);
}

// A read the file system refuses is no missing file: the write does not start from empty.
TEST_F(IniFileTest, AFileTheFileSystemCannotReadIsNeverWrittenAnew) {
  FaultyFileSystem disk;
  disk.Fail(FileOperation::Read, file, std::errc::permission_denied);
  EXPECT_THROW(TIniFile(file).WriteString("S", "K", "v"), Exception);
  {
    TIniWriteGroup group(file);
    EXPECT_THROW(TIniFile(file).WriteString("S", "K", "v"), Exception);
  }
  EXPECT_EQ(dir.EntryCount(), 0u);
}

// The writes of a group are one replacement of the file at its end: until then the file holds
// every old value (a kill leaves it so), and every reader of the file in the group sees each
// value as a write by itself would have left it.
TEST_F(IniFileTest, AGroupOfWritesReplacesTheFileOnceAtItsEnd) {
  const std::string old = "[S]\r\nK=old\r\n";
  TempDir::Write(file, old);
  std::string alone;
  {
    TIniFile ini(file);
    ini.WriteString("S", "K", "new");
    ini.WriteString("T", "A", "1");
    alone = TempDir::Read(file);
    TempDir::Write(file, old);
  }
  {
    TIniWriteGroup group(file);
    TIniFile(file).WriteString("S", "K", "new");
    EXPECT_EQ(TIniFile(file).ReadString("S", "K", "d"), "new") << "another reader sees it";
    {
      TIniWriteGroup inner(file);
      TIniFile(file).WriteString("T", "A", "1");
    }
    EXPECT_EQ(TempDir::Read(file), old) << "only the outermost group writes";
    EXPECT_EQ(TIniFile(file).ReadString("T", "A", "d"), "1");
  }
  EXPECT_EQ(TempDir::Read(file), alone);
  EXPECT_EQ(dir.EntryCount(), 1u);
}

// A group whose write fails at the end (the rename of the new file over the old one, the sync
// of the new file) leaves the file with every old value; the next group writes every new one.
TEST_F(IniFileTest, AFailedGroupLeavesTheOldFileAndTheNextOneTheNew) {
  const std::string old = "[S]\r\nK=old\r\nL=old\r\n";
  for (FileOperation failing : {FileOperation::Rename, FileOperation::Sync}) {
    SCOPED_TRACE(static_cast<int>(failing));
    TempDir::Write(file, old);
    FaultyFileSystem disk;
    disk.Fail(failing, file);
    {
      TIniWriteGroup group(file);
      TIniFile(file).WriteString("S", "K", "new");
      TIniFile(file).WriteString("S", "L", "new");
      EXPECT_FALSE(group.Commit());
    }
    EXPECT_EQ(TempDir::Read(file), old);
    EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary file is left";
    disk.Heal();
    {
      TIniWriteGroup group(file);
      TIniFile(file).WriteString("S", "K", "new");
      TIniFile(file).WriteString("S", "L", "new");
    }
    EXPECT_EQ(TempDir::Read(file), "[S]\r\nK=new\r\nL=new\r\n");
  }
}

// A group written early goes on: what is written after its Commit reaches the file at its end.
TEST_F(IniFileTest, AWriteAfterAGroupsCommitReachesTheFileAtItsEnd) {
  {
    TIniWriteGroup group(file);
    TIniFile(file).WriteString("S", "K", "1");
    EXPECT_TRUE(group.Commit());
    EXPECT_EQ(TempDir::Read(file), "[S]\r\nK=1\r\n");
    TIniFile(file).WriteString("S", "L", "2");
  }
  EXPECT_EQ(TempDir::Read(file), "[S]\r\nK=1\r\nL=2\r\n");
}

}  // namespace
