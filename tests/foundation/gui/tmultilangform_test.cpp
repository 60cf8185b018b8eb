#include "foundation/gui/tmultilangform.h"

#include <gtest/gtest.h>

#include <QStandardItemModel>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/guiapplication.h"
#include "support/messageboxes.h"
#include "support/plainroot.h"
#include "toolkit/exception.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/strings.h"
#include "toolkit/messagebox.h"

namespace {

// A chart as the localization sees it: its title's lines, published under "TChartTitle", and
// texts of other declared types, of which only the exact text type names are translated.
class TTitledComponent : public TComponent {
public:
  explicit TTitledComponent(TComponent* owner) : TComponent(owner) {}
  TStrings Title{&model_, 1251};
  std::string Legend = "Legend", FileName = "speed.png", Note = "Note";

protected:
  void Publish(TPropList& properties) override {
    TComponent::Publish(properties);
    properties.push_back(ObjectProperty("Title", "TChartTitle", [this] { return &Title; }));
    properties.push_back(StringProperty("Legend", "AnsiString", &Legend));
    properties.push_back(StringProperty("FileName", "TFileName", &FileName));
    properties.push_back(StringProperty("Note", "string", &Note));
  }

private:
  QStandardItemModel model_;
};

// A window that logs the steps of its construction.
class TTestForm final : public TMultilangForm {
public:
  // Built with a user (any object of an owner chain), or handed its own root.
  template <class TUserOrRoot>
  explicit TTestForm(TUserOrRoot user) : TMultilangForm(nullptr) {
    Describe();
    Construct(std::move(user));
    Log("constructor body");
    OnCreate = [this](TObject*) { Log("create"); };
  }

  TLabel* lbTitle;
  TListBox* lbItems;
  TPanel* Panel;
  TLabel* lbInner;
  TTitledComponent* Chart;
  std::vector<std::string> Journal;

protected:
  void CreateMessages() override {
    // The description and the application object are there already.
    Log(lbTitle && getRoot() ? "messages" : "messages too early");
    AddMessage("Greeting", "Hi");
    AddMessage("Farewell", "Bye\\nnow");
  }
  void AfterLocalize() override { Log("after localize: " + lbTitle->Caption()); }

private:
  void Log(const std::string& entry) { Journal.push_back(entry); }

  void Describe() {
    setName("TestForm");
    setCaption("Test window");
    lbTitle = NewControl<TLabel>(this, this, "lbTitle", 0, 0, 100, 20);
    lbTitle->setCaption("Title");
    lbItems = NewControl<TListBox>(this, this, "lbItems", 0, 20, 100, 60);
    lbItems->Items()->setText("  one\r\ntwo\r\n");
    Panel = NewControl<TPanel>(this, this, "Panel", 0, 80, 100, 50);
    Panel->setCaption("Panel");
    // Shown on the panel and owned by it, so not in the window's own list.
    lbInner = NewControl<TLabel>(Panel, Panel, "lbInner", 0, 0, 50, 20);
    lbInner->setCaption("Inner");
    Chart = NewComponent<TTitledComponent>(this, "Chart");
    Chart->Title.setText("  Speed\r\n");
  }
};

class MultilangFormTest : public testing::Test {
protected:
  PlainInstallation Program;
  MessageBoxes Boxes;
};

TEST_F(MultilangFormTest, APassReplacesWhatTheFileGivesForTheWindowsOwnComponents) {
  Program.Localize(
      "[General]\r\nCharset=204\r\n"
      "[TestForm]\r\nCaption=Localized\r\nlbTitle.Caption=First\\nSecond\r\n"
      "lbItems.Items=alpha\\nbeta\r\nlbInner.Caption=never\r\nPanel.Caption=On the panel\r\n"
      "Chart.Title=Tempo\r\nChart.Legend=Keys\r\nChart.FileName=other.png\r\n"
      "Chart.Note=Changed\r\nMessage.Greeting=Hello\\nthere\r\n"
      "[OtherForm]\r\nMessage.Farewell=Wrong window\r\n");
  TTestForm form(&Program.root());

  EXPECT_EQ(form.Caption(), "Localized");
  EXPECT_EQ(form.lbTitle->Caption(), "First\r\nSecond");
  EXPECT_EQ(form.lbItems->Items()->Text(), "alpha\r\nbeta\r\n");
  EXPECT_EQ(form.Panel->Caption(), "On the panel");
  EXPECT_EQ(form.Chart->Title.Text(), "Tempo\r\n");
  EXPECT_EQ(form.Chart->Legend, "Keys");
  EXPECT_EQ(form.Chart->FileName, "speed.png") << "another string type";
  EXPECT_EQ(form.Chart->Note, "Note") << "type names compare with their letter case";
  EXPECT_EQ(form.lbInner->Caption(), "Inner");
  EXPECT_EQ(form.getMessage("Greeting"), "Hello\r\nthere");
  EXPECT_EQ(form.getMessage("farewell"), "Bye\r\nnow");
  for (TControl* control :
       {static_cast<TControl*>(form.lbTitle), static_cast<TControl*>(form.lbItems),
        static_cast<TControl*>(form.Panel)}) {
    SCOPED_TRACE(control->Name());
    EXPECT_EQ(control->Font()->Charset(), 204);
  }
  EXPECT_EQ(form.Font()->Charset(), DEFAULT_CHARSET);
}

TEST_F(MultilangFormTest, WithoutAFileTextsStayButStringListsLoseTheirOuterBlanks) {
  TTestForm form(&Program.root());

  EXPECT_EQ(form.Caption(), "Test window");
  EXPECT_EQ(form.lbTitle->Caption(), "Title");
  EXPECT_EQ(form.lbItems->Items()->Strings(0), "one");
  EXPECT_EQ(form.lbItems->Items()->Count(), 2);
  EXPECT_EQ(form.Chart->Title.Text(), "  Speed\r\n");
  EXPECT_EQ(form.lbTitle->Font()->Charset(), ANSI_CHARSET);
  EXPECT_EQ(form.getMessage("Greeting"), "Hi");
}

// Message boxes speak the language of the localization in force: the code page of its
// character set, the system's (Russian) without one.
TEST_F(MultilangFormTest, MessageBoxesTakeTheCodePageOfTheLocalization) {
  struct Case {
    const char* name;
    const char* file;
    int codePage;
  } cases[] = {
      {"Western", "[General]\r\nCharset=3\r\n", 1252},
      {"Greek", "[General]\r\nCharset=161\r\n", 1253},
      {"NoCharset", "[TestForm]\r\nCaption=Localized\r\n", 1251},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Program.Localize(c.file);
    TTestForm form(&Program.root());
    EXPECT_EQ(MessageDlgCodePage(), c.codePage);
  }
}

TEST_F(MultilangFormTest, HooksRunInsideTheBaseConstructionAndCreateAfterIt) {
  Program.Localize("[TestForm]\r\nlbTitle.Caption=Localized\r\n");
  TTestForm form(&Program.root());
  form.AfterConstruction();
  form.Localize();
  EXPECT_EQ(form.Journal,
            (std::vector<std::string>{"messages", "after localize: Localized", "constructor body",
                                      "create", "after localize: Localized"}));
}

TEST_F(MultilangFormTest, MessageErrorsCarryTheirCodes) {
  TTestForm form(&Program.root());
  try {
    form.AddMessage("GREETING", "Again");
    FAIL() << "a second registration was taken";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message, "9A721782/F Message 'GREETING' already exist!");
  }
  EXPECT_EQ(form.getMessage("Greeting"), "Hi");
  try {
    form.getMessage("Nothing");
    FAIL() << "an unknown message was given";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message, "547AA007 Message 'Nothing' not exists!");
  }
}

TEST_F(MultilangFormTest, ShowMessageShowsTheTextInAnInformationBox) {
  TTestForm form(&Program.root());
  form.ShowMessage("Farewell");
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "Bye\r\nnow");
  EXPECT_EQ(Boxes.Shown[0].Type, mtInformation);
}

TEST_F(MultilangFormTest, ACharsetThatIsNoNumberFailsTheConstruction) {
  Program.Localize("[General]\r\nCharset=Cyrillic\r\n");
  EXPECT_THROW(TTestForm form(&Program.root()), EConvertError);
}

TEST_F(MultilangFormTest, AWindowHandedItsRootLocalizesWithItAndDeletesIt) {
  // A root that says when it goes.
  struct TWatchedRoot final : TPlainRoot {
    explicit TWatchedRoot(bool& deleted) : Deleted(deleted) {}
    ~TWatchedRoot() override { Deleted = true; }
    bool& Deleted;
  };
  Program.Localize("[TestForm]\r\nCaption=Localized\r\n");
  bool deleted = false;
  {
    auto root = std::make_unique<TWatchedRoot>(deleted);
    const TRoot* given = root.get();
    TTestForm form(std::move(root));
    EXPECT_EQ(form.getRoot(), given);
    EXPECT_EQ(form.Caption(), "Localized");
    EXPECT_FALSE(deleted);
  }
  EXPECT_TRUE(deleted);
}

}  // namespace
