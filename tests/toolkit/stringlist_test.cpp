#include "toolkit/stringlist.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/tempdir.h"

namespace {

std::vector<std::string> Entries(const TStringList& list) { return {list.begin(), list.end()}; }

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"Empty", "", {}},
      {"CrLf", "a\r\nb\r\n", {"a", "b"}},
      {"LastLineWithoutBreak", "a\r\nb", {"a", "b"}},
      {"BareLf", "a\nb\n", {"a", "b"}},
      {"BareCr", "a\rb", {"a", "b"}},
      {"EmptyLinesKept", "a\r\n\r\n\nb", {"a", "", "", "b"}},
      {"LfCrIsTwoBreaks", "a\n\rb", {"a", "", "b"}},
      {"OnlyABreak", "\r\n", {""}},
      {"NulBytesKept", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStringList list;
    list.setText(c.text);
    EXPECT_EQ(Entries(list), c.lines);
  }
}

TEST(StringList, TextEndsEveryLineWithCrLf) {
  TStringList list;
  list.Add("a");
  list.Add("");
  list.Add("b");
  EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringList, EditingAndCaseInsensitiveLookup) {
  TStringList list;
  EXPECT_EQ(list.Add("Beta"), 0);
  list.Add("alpha");
  list.Insert(0, "Gamma");
  list.Insert(3, "beta");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Gamma", "Beta", "alpha", "beta"}));
  EXPECT_EQ(list.IndexOf("BETA"), 1);
  EXPECT_EQ(list.IndexOf("delta"), -1);
  list.Delete(1);
  EXPECT_EQ(list.IndexOf("BETA"), 2);
  list.setStrings(0, "G");
  EXPECT_EQ(list.Strings(0), "G");
}

TEST(StringList, IndexOutsideTheListRaises) {
  TStringList list;
  list.Add("a");
  EXPECT_THROW(list.Strings(1), EListError);
  EXPECT_THROW(list.Strings(-1), EListError);
  EXPECT_THROW(list.Delete(1), EListError);
  EXPECT_THROW(list.Insert(2, "x"), EListError);
  EXPECT_THROW(list.Names(5), EListError);
  try {
    list.Strings(3);
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message, "List index out of bounds (3)");
  }
}

TEST(StringList, NameValueEntries) {
  TStringList list;
  list.setText("Title=Hello\r\nno equals\r\nEmpty=\r\nMath=a=b\r\ntitle=second\r\n");
  EXPECT_EQ(list.IndexOfName("TITLE"), 0);
  EXPECT_EQ(list.Values("title"), "Hello");
  EXPECT_EQ(list.Values("math"), "a=b");
  EXPECT_EQ(list.Values("Empty"), "");
  EXPECT_EQ(list.Values("no equals"), "");
  EXPECT_EQ(list.IndexOfName("no equals"), -1);
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.Names(3), "Math");
  EXPECT_EQ(list.ValueFromIndex(3), "a=b");

  list.setValue("TITLE", "Bye");
  EXPECT_EQ(list.Strings(0), "TITLE=Bye");
  list.setValue("New", "1");
  EXPECT_EQ(list.Strings(list.Count() - 1), "New=1");
  list.setValue("Math", "");
  EXPECT_EQ(list.IndexOfName("Math"), -1);
}

TEST(StringList, SortedListKeepsOrderAndOneEntryPerText) {
  TStringList list;
  list.Add("pear");
  list.Add("Apple");
  list.Add("fig");
  list.setSorted(true);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "fig", "pear"}));
  EXPECT_EQ(list.Add("banana"), 1);
  EXPECT_EQ(list.Add("APPLE"), 0);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf("PEAR"), 3);
  EXPECT_EQ(list.IndexOf("kiwi"), -1);
  EXPECT_THROW(list.Insert(0, "x"), EListError);
  EXPECT_THROW(list.setStrings(0, "x"), EListError);
  list.setValue("c", "1");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"Apple", "banana", "c=1", "fig", "pear"}));
}

TEST(StringList, SaveAndLoadWithCrLfLines) {
  TempDir dir;
  TStringList list;
  list.setText("one\ntwo");
  list.SaveToFile(dir / "list.txt");
  EXPECT_EQ(TempDir::Read(dir / "list.txt"), "one\r\ntwo\r\n");
  TStringList loaded;
  loaded.Add("stale");
  loaded.LoadFromFile(dir / "list.txt");
  EXPECT_EQ(Entries(loaded), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(StringList, FileErrorsRaise) {
  TempDir dir;
  TStringList list;
  EXPECT_THROW(list.LoadFromFile(dir / "missing.txt"), Exception);
  EXPECT_THROW(list.LoadFromFile(dir.path()), Exception);
  EXPECT_THROW(list.SaveToFile(dir / "missing/list.txt"), Exception);
  try {
    list.LoadFromFile(dir / "missing.txt");
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message.rfind("Cannot open file \"" + (dir / "missing.txt") + "\". ", 0), 0u);
  }
}

}  // namespace
