#include "toolkit/gui/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/combobox.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/listbox.h"

namespace {

std::vector<std::string> Texts(TStrings* items) {
  std::vector<std::string> texts;
  for (int i = 0; i < items->Count(); ++i) texts.push_back(items->Strings(i));
  return texts;
}

TEST(StringsTest, ASortedListPutsTextsInPlaceWithLetterCaseOnlyBreakingTies) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->setSorted(true);
  for (const char* text : {"russian", "English", "deutsch", "english", "Russian"})
    list->Items()->Add(text);
  EXPECT_EQ(Texts(list->Items()),
            (std::vector<std::string>{"deutsch", "English", "english", "Russian", "russian"}));
  EXPECT_EQ(list->Items()->IndexOf("ENGLISH"), 1);
  EXPECT_EQ(list->Items()->IndexOf("French"), -1);
}

TEST(StringsTest, CyrillicSortsAlphabeticallyWithYoAmongTheYe) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->setSorted(true);
  for (const char* text : {"Яна", "Ёлка", "ева", "Жора", "Егор", "Анна", "Boris", "Ева"})
    list->Items()->Add(FromUtf8(text));
  std::vector<std::string> expected;
  for (const char* text : {"Boris", "Анна", "Ева", "ева", "Егор", "Ёлка", "Жора", "Яна"})
    expected.push_back(FromUtf8(text));
  EXPECT_EQ(Texts(list->Items()), expected);
}

TEST(StringsTest, TurningSortingOnSortsWhatIsThere) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->Items()->setText("b\r\na\r\nc");
  list->setSorted(true);
  EXPECT_EQ(Texts(list->Items()), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringsTest, WholeTextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
  TForm form(nullptr);
  auto* box = new TComboBox(&form);
  box->Items()->setText("one\r\ntwo\nthree");
  EXPECT_EQ(Texts(box->Items()), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(box->Items()->Text(), "one\r\ntwo\r\nthree\r\n");
  box->Items()->Delete(1);
  box->Items()->Delete(7);
  EXPECT_EQ(box->Items()->Text(), "one\r\nthree\r\n");
  box->Items()->Clear();
  EXPECT_EQ(box->Items()->Count(), 0);
}

TEST(StringsTest, TextsKeepTheirSystemCodePageBytes) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  const std::string russian = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";  // "Русский" in Windows-1251
  list->Items()->Add(russian);
  EXPECT_EQ(list->Items()->Strings(0), russian);
}

TEST(ListBoxTest, ItemIndexFollowsTheCurrentItem) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->Items()->setText("a\nb\nc");
  list->setItemIndex(2);
  EXPECT_EQ(list->ItemIndex(), 2);
  list->Items()->Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
}

TEST(ComboBoxTest, TheProgramChoosingAnItemRaisesNoChange) {
  TForm form(nullptr);
  auto* box = new TComboBox(&form);
  int changes = 0;
  box->OnChange = [&](TObject*) { ++changes; };
  box->Items()->setText("Last/current session\r\nOverall dynamics");
  box->setItemIndex(1);
  EXPECT_EQ(box->ItemIndex(), 1);
  EXPECT_EQ(changes, 0);
}

}  // namespace
