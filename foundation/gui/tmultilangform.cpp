#include "foundation/gui/tmultilangform.h"

#include <utility>

#include "foundation/tinioptions.h"
#include "foundation/tltobject.h"
#include "foundation/troot.h"
#include "platform/gui/windowlock.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/gui/font.h"
#include "toolkit/gui/strings.h"
#include "toolkit/messagebox.h"
#include "toolkit/sysutils.h"

namespace {

bool IsTextType(const std::string& type) {
  return type == "String" || type == "AnsiString" || type == "TCaption";
}

}  // namespace

TMultilangForm::TMultilangForm(TComponent* Owner) : TForm(Owner) {}

TMultilangForm::~TMultilangForm() = default;

void TMultilangForm::Construct(TLTObject* User) {
  Root = User->getRoot();
  CreateMessages();
  Localize();
}

void TMultilangForm::Construct(std::unique_ptr<TRoot> OwnRoot) {
  OwnedRoot = std::move(OwnRoot);
  Construct(OwnedRoot.get());
}

void TMultilangForm::AddMessage(const std::string& name, const std::string& text) {
  if (Messages.IndexOfName(name) >= 0)
    throw Exception("9A721782/F Message '" + name + "' already exist!");
  Messages.Add(name + "=" + text);
}

std::string TMultilangForm::getMessage(const std::string& name) const {
  int index = Messages.IndexOfName(name);
  if (index < 0) throw Exception("547AA007 Message '" + name + "' not exists!");
  return UnescapeLineBreaks(Messages.ValueFromIndex(index));
}

void TMultilangForm::ShowMessage(const std::string& name) const {
  MessageDlg(getMessage(name), mtInformation);
}

std::string TMultilangForm::LocalizeText(const std::string& key, const std::string& current) const {
  return UnescapeLineBreaks(Root->ReadLocalized(Name(), key, EscapeLineBreaks(current)));
}

void TMultilangForm::Localize() {
  if (!Root) return;
  // The pass draws once, at its end.
  TWindowUpdateLock lock(this);
  const int charset = Root->getLocalization()->ReadInteger("General", "Charset", 0) & 0xFF;
  // Message boxes speak the language of the texts, their buttons too.
  SetMessageDlgCodePage(CodePageOfCharset(charset));
  setCaption(Root->ReadLocalized(Name(), "Caption", Caption()));
  // A property setter may add components: the count is read anew at every step.
  for (int i = 0; i < ComponentCount(); ++i) LocalizeComponent(Components(i), charset);
  for (int i = 0; i < Messages.Count(); ++i) {
    const std::string name = Messages.Names(i);
    Messages.setStrings(i,
                        name + "=" + LocalizeText("Message." + name, Messages.ValueFromIndex(i)));
  }
  AfterLocalize();
}

void TMultilangForm::LocalizeComponent(TComponent* component, int charset) {
  for (const TPropInfo& property : component->Properties()) {
    if (property.Name == "Name") continue;
    const std::string key = component->Name() + "." + property.Name;
    if (property.Kind == TTypeKind::String) {
      if (IsTextType(property.TypeName))
        property.SetString(LocalizeText(key, property.GetString()));
      continue;
    }
    TObject* object = property.GetObject ? property.GetObject() : nullptr;
    if (!object) continue;
    if (property.TypeName == "TFont") {
      if (auto* font = dynamic_cast<TFont*>(object)) font->setCharset(charset);
    } else if (property.TypeName == "TStrings") {
      if (auto* lines = dynamic_cast<TStrings*>(object))
        lines->setText(LocalizeText(key, Trim(lines->Text())));
    } else if (property.TypeName == "TChartTitle") {
      // A chart title publishes its lines as a string list; its text is taken untrimmed.
      if (auto* lines = dynamic_cast<TStrings*>(object))
        lines->setText(LocalizeText(key, lines->Text()));
    }
  }
}
