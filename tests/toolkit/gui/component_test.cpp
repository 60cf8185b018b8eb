#include "toolkit/gui/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/guiapplication.h"
#include "toolkit/exception.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/panel.h"

namespace {

// Writes its name into a shared journal when it is destroyed.
class TJournaled : public TComponent {
public:
  TJournaled(TComponent* owner, std::string name, std::vector<std::string>* journal)
      : TComponent(owner), journal_(journal) {
    setName(name);
  }
  ~TJournaled() override { journal_->push_back("~" + Name()); }
  void BeforeDestruction() override { journal_->push_back("before " + Name()); }

  std::string Zeta = "z", Alpha = "a";
  TFont Font;

protected:
  void Publish(TPropList& properties) override {
    TComponent::Publish(properties);
    properties.push_back(StringProperty("Zeta", "String", &Zeta));
    properties.push_back(StringProperty("alpha", "TCaption", &Alpha));
    properties.push_back(ObjectProperty("Font", "TFont", [this] { return &Font; }));
  }

private:
  std::vector<std::string>* journal_;
};

TEST(ComponentTest, OwnerListsWhatItOwnsAndDestroysItLastFirst) {
  std::vector<std::string> journal;
  auto* owner = new TJournaled(nullptr, "Owner", &journal);
  new TJournaled(owner, "First", &journal);
  auto* second = new TJournaled(owner, "Second", &journal);
  new TJournaled(second, "Grandchild", &journal);
  ASSERT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(owner->Components(0)->Name(), "First");
  EXPECT_EQ(owner->FindComponent("SECOND"), second);
  EXPECT_EQ(owner->FindComponent("Grandchild"), nullptr) << "only what it owns itself";
  Free(owner);
  // Each destructor's own part runs before the components it owns go.
  EXPECT_EQ(journal, (std::vector<std::string>{"before Owner", "~Owner", "before Second", "~Second",
                                               "before Grandchild", "~Grandchild", "before First",
                                               "~First"}));
}

TEST(ComponentTest, ADeletedComponentLeavesItsOwnersList) {
  std::vector<std::string> journal;
  TJournaled owner(nullptr, "Owner", &journal);
  auto* child = new TJournaled(&owner, "Child", &journal);
  delete child;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(ComponentTest, NamesAreUniqueAmongTheOwnersComponents) {
  std::vector<std::string> journal;
  TJournaled owner(nullptr, "Owner", &journal);
  auto* first = new TJournaled(&owner, "Button", &journal);
  EXPECT_THROW(new TJournaled(&owner, "BUTTON", &journal), Exception);
  auto* unnamed = new TJournaled(&owner, "", &journal);
  new TJournaled(&owner, "", &journal);
  EXPECT_NO_THROW(first->setName("Button"));
  EXPECT_THROW(unnamed->setName("button"), Exception);
  TJournaled elsewhere(nullptr, "Button", &journal);
  EXPECT_EQ(elsewhere.Name(), "Button") << "another owner's names do not count";
}

TEST(ComponentTest, PublishesItsPropertiesSortedByName) {
  std::vector<std::string> journal;
  TJournaled component(nullptr, "Component", &journal);
  TPropList properties = component.Properties();
  std::vector<std::string> names, types;
  for (const TPropInfo& property : properties) {
    names.push_back(property.Name);
    types.push_back(property.TypeName);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "Font", "Name", "Zeta"}));
  EXPECT_EQ(types, (std::vector<std::string>{"TCaption", "TFont", "TComponentName", "String"}));
  properties[0].SetString("changed");
  EXPECT_EQ(component.Alpha, "changed");
  EXPECT_EQ(properties[3].GetString(), "z");
  EXPECT_EQ(properties[1].GetObject(), &component.Font);
  EXPECT_EQ(component.ClassName(), "TJournaled");
}

TEST(ComponentTest, OwnershipIsNotParenthood) {
  TForm form(nullptr);
  form.setName("Window");
  auto* panel = NewControl<TPanel>(&form, &form, "pnBase", 0, 0, 100, 100);
  NewControl<TLabel>(panel, panel, "lbOnPanel", 5, 5, 50, 13);
  auto* ownedByForm = NewControl<TLabel>(&form, panel, "lbOwnedByForm", 5, 25, 50, 13);
  EXPECT_EQ(form.ComponentCount(), 2) << "the panel and the label the window owns";
  EXPECT_EQ(form.FindComponent("lbOnPanel"), nullptr);
  EXPECT_EQ(form.Components(1), ownedByForm);
  EXPECT_EQ(panel->ControlCount(), 2) << "both labels show on the panel";
  EXPECT_EQ(panel->ComponentCount(), 1);

  // Destroying the panel takes the controls shown on it, whoever owns them.
  delete panel;
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(ComponentTest, ControlsPublishTheirTextsUnderTheirOwnNames) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->setCaption("Hello");
  bool found = false;
  for (const TPropInfo& property : label->Properties()) {
    if (property.Name != "Caption") continue;
    found = true;
    EXPECT_EQ(property.TypeName, "TCaption");
    EXPECT_EQ(property.GetString(), "Hello");
    property.SetString("Bye");
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(label->Caption(), "Bye");
}

}  // namespace
