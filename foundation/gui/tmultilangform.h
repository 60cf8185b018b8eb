#pragma once
// Base of every window: the link to the root (foundation/troot.h), the window's named messages,
// and the localization of the window's title, of the texts and fonts of the components it owns
// directly, and of its messages from the localization file (section = the window's Name).
// Owns its messages, and the root when it was handed one (the main window's application
// object). User-interface thread only.
//
// Construction runs in two phases, so that CreateMessages and AfterLocalize reach the concrete
// window's overrides before that window's own construction (a C++ base constructor cannot call
// them). The base constructor builds a bare window; the concrete window's constructor then
// starts with its description and Construct, and only after those does its own work:
//
//   TStartForm::TStartForm(TComponent* Owner, TUser* User) : TMultilangForm(Owner) {
//     Describe();       // the window description (resources/): components, texts, handlers
//     Construct(User);  // the root, CreateMessages, Localize (AfterLocalize)
//     ...               // the window's own construction
//   }
//
// The overrides called are those of the class whose constructor calls Construct, so a window
// that calls it is final. OnCreate runs after the whole construction (see toolkit/gui/form.h).

#include <memory>
#include <string>

#include "toolkit/gui/form.h"
#include "toolkit/stringlist.h"

class TLTObject;
class TRoot;

class TMultilangForm : public TForm {
public:
  // A bare window: no root, no messages; never localized.
  explicit TMultilangForm(TComponent* Owner);
  // Deletes the root when this window owns it; the owned components go after.
  ~TMultilangForm() override;

  TRoot* getRoot() const { return Root; }

  // Raises "9A721782/F Message 'name' already exist!" when a message of that name (letter case
  // ignored) exists; the text is kept as it stands.
  void AddMessage(const std::string& name, const std::string& text);
  // The text with each backslash-n pair turned into CR LF; placeholders stay. Raises
  // "547AA007 Message 'name' not exists!" for a name never registered.
  std::string getMessage(const std::string& name) const;
  // The message in an information box (OK).
  void ShowMessage(const std::string& name) const;

  // One pass over the title, the components owned directly, and the messages; the current
  // texts are the defaults. Raises EConvertError for a "Charset" that is no number.
  void Localize();

protected:
  // The second phase: Root := the root of the user (any object of an owner chain); then
  // CreateMessages and Localize.
  void Construct(TLTObject* User);
  // The same for the window that the root lives with: it owns the root from here on.
  void Construct(std::unique_ptr<TRoot> OwnRoot);

  // Registers the window's messages; runs before the first pass.
  virtual void CreateMessages() {}
  // Adjusts texts after each pass.
  virtual void AfterLocalize() {}

private:
  void LocalizeComponent(TComponent* component, int charset);
  std::string LocalizeText(const std::string& key, const std::string& current) const;

  TStringList Messages;
  TRoot* Root = nullptr;
  std::unique_ptr<TRoot> OwnedRoot;
};
