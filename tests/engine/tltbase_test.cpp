#include "engine/tltbase.h"

#include <vector>

#include "engine/tbasestructure.h"
#include "support/testfiles.h"

namespace {

class TLTBaseTest : public TTempFolderTest {
protected:
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    TempDir::Write(PathOf(name), bytes);
    return PathOf(name);
  }
  std::string Write(const std::string& name, const std::vector<TTestRecord>& records,
                    const TTestHeader& header = {}) {
    return WriteFile(name, BaseBytes(header, records));
  }

  // The children of a node as "letter count" pairs, in sibling order.
  static std::string Children(const TBaseStructure* node) {
    std::string text;
    for (TBaseStructure* child = node->getFirstChild(); child; child = child->getNextSibling())
      text += std::string(text.empty() ? "" : " ") + static_cast<char>(child->getLetter()) +
              std::to_string(child->getCount());
    return text;
  }

  TLTBase Base;
};

TEST_F(TLTBaseTest, DefaultsBeforeALoad) {
  EXPECT_EQ(Base.getName(), "");
  EXPECT_EQ(Base.getLanguageName(), "English");
  EXPECT_EQ(Base.getOrder(), 4);
  EXPECT_EQ(Base.getAlphabet().getCharset(), 0);
  EXPECT_EQ(Base.getAlphabet().Count(), 0);
  EXPECT_EQ(Base.getAlphabet().IndexOf('a'), 0);
  EXPECT_EQ(Base.getRoot()->getLevel(), 0);
  EXPECT_EQ(Base.getRoot()->getFirstChild(), nullptr);
}

TEST_F(TLTBaseTest, RecordsArePlacedDepthFirstAndTotalled) {
  TTestHeader header;
  header.Order = 2;
  header.Charset = 204;
  header.Letters = "abcd";
  header.Language = "Sample";
  std::string path =
      Write("My.Course.Base", {{1, 'a', 5}, {2, 'b', 3}, {2, 'c', 2}, {1, 'd', 7}}, header);
  ASSERT_TRUE(Base.LoadFromFile(path));
  EXPECT_EQ(Base.getName(), "My.Course");
  EXPECT_EQ(Base.getLanguageName(), "Sample");
  EXPECT_EQ(Base.getOrder(), 2);
  EXPECT_EQ(Base.getAlphabet().getCharset(), 204);
  EXPECT_EQ(Base.getAlphabet().Normalize('C'), 'c');
  EXPECT_EQ(Children(Base.getRoot()), "a5 d7");
  EXPECT_EQ(Children(Base.getRoot()->getFirstChild()), "b3 c2");
  EXPECT_EQ(Base.getRoot()->getCount(), 12);
  EXPECT_EQ(Base.getRoot()->getFirstChild()->getFirstChild()->getLevel(), 2);
}

TEST_F(TLTBaseTest, ALevelJumpGoesOneLevelDown) {
  // 3 after 1 becomes level 2; the next 2 is its sibling, the next 3 the child of that.
  ASSERT_TRUE(Base.LoadFromFile(
      Write("Jump.Base", {{1, 'a', 0}, {3, 'b', 4}, {2, 'c', 0}, {3, 'd', 6}, {9, 'e', 1}})));
  TBaseStructure* a = Base.getRoot()->getFirstChild();
  EXPECT_EQ(Children(a), "b4 c1");
  TBaseStructure* c = a->getFirstChild()->getNextSibling();
  EXPECT_EQ(Children(c), "d1");
  EXPECT_EQ(c->getFirstChild()->getFirstChild()->getLevel(), 4);
  EXPECT_EQ(Children(c->getFirstChild()), "e1");
}

TEST_F(TLTBaseTest, ProgressOfAThousandRecords) {
  std::vector<TTestRecord> records(1000, {1, 'a', 1});
  std::string path = Write("Progress.Base", records);
  ASSERT_EQ(std::filesystem::file_size(path), 8568u);
  std::vector<int> reports;
  Base.setOnProgress([&](int32_t percent) { reports.push_back(percent); });
  ASSERT_TRUE(Base.LoadFromFile(path));
  EXPECT_EQ(reports, (std::vector<int>{0, 35, 71, 100}));
}

TEST_F(TLTBaseTest, AFailedLoadKeepsTheBaseAsItWas) {
  ASSERT_TRUE(Base.LoadFromFile(Write("Good.Base", {{1, 'a', 5}})));
  TBaseStructure* root = Base.getRoot();
  std::filesystem::create_directory(PathOf("Folder.Base"));
  struct TCase {
    const char* name;
    std::string path;
    std::string error;
  } cases[] = {
      {"missing file", PathOf("Missing.Base"), "Open error - No such file or directory"},
      {"empty file", WriteFile("Empty.Base", ""),
       "Read error - the file is shorter than a base header"},
      {"cut header", WriteFile("Cut.Base", BaseBytes({}, {}).substr(0, 2567)),
       "Read error - the file is shorter than a base header"},
      {"folder", PathOf("Folder.Base"), "Open error - Is a directory"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> reports;
    Base.setOnProgress([&](int32_t percent) { reports.push_back(percent); });
    EXPECT_FALSE(Base.LoadFromFile(c.path));
    EXPECT_EQ(Base.getErrorText(), c.error);
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(Base.getName(), "Good");
    EXPECT_EQ(Base.getRoot(), root);
    EXPECT_EQ(Children(Base.getRoot()), "a5");
  }
}

TEST_F(TLTBaseTest, DamagedFilesLoadWhatTheyHold) {
  std::string whole = BaseBytes({}, {{1, 'a', 5}, {1, 'b', 6}});
  std::vector<TTestRecord> climbing(1000000, {255, 'z', 1});
  std::vector<TTestRecord> siblings(1000000, {1, 's', 1});
  struct TCase {
    const char* name;
    std::string bytes;
    std::string rootChildren;
  } cases[] = {
      {"header only", BaseBytes({}, {}), ""},
      {"record cut short", whole.substr(0, whole.size() - 2), "a5"},
      // Each record one level deeper until level 255, the highest a record can name.
      {"levels climbing", BaseBytes({}, climbing), "z999746"},
      {"a million siblings", BaseBytes({}, siblings), ""},
      // A record of level 0 claims to be a root: it hangs beside the root, outside the trie.
      {"level 0", BaseBytes({}, {{1, 'a', 2}, {0, 'r', 3}, {1, 'b', 4}}), "a2"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TLTBase base;
    ASSERT_TRUE(base.LoadFromFile(WriteFile("Damaged.Base", c.bytes)));
    if (c.name == std::string("a million siblings")) {
      int children = 0;
      for (TBaseStructure* child = base.getRoot()->getFirstChild(); child;
           child = child->getNextSibling())
        ++children;
      EXPECT_EQ(children, 1000000);
      EXPECT_EQ(base.getRoot()->getCount(), 1000000);
    } else {
      EXPECT_EQ(Children(base.getRoot()), c.rootChildren);
    }
  }
}

TEST_F(TLTBaseTest, ASecondLoadReplacesHeaderAndTrie) {
  TTestHeader first;
  first.Order = 3;
  ASSERT_TRUE(Base.LoadFromFile(Write("First.Base", {{1, 'a', 1}}, first)));
  TTestHeader second;
  second.Order = 5;
  second.Language = "Other";
  ASSERT_TRUE(Base.LoadFromFile(Write("Second.Base", {{1, 'b', 2}}, second)));
  EXPECT_EQ(Base.getName(), "Second");
  EXPECT_EQ(Base.getOrder(), 5);
  EXPECT_EQ(Base.getLanguageName(), "Other");
  EXPECT_EQ(Children(Base.getRoot()), "b2");
}

}  // namespace
