#include "foundation/tltobject.h"

#include <typeinfo>

#include "foundation/troot.h"
#include "toolkit/classname.h"
#include "toolkit/exception.h"
#include "toolkit/messagebox.h"
#include "toolkit/sysutils.h"

TLTObject::TLTObject(TLTObject* owner) : Owner(owner) {}

TLTObject::~TLTObject() = default;

TRoot* TLTObject::getRoot() { return Owner ? Owner->getRoot() : nullptr; }

std::string TLTObject::Format(const std::string& text) const { return text; }

void TLTObject::AddMessage(const std::string& name, const std::string& fallback) {
  TRoot* root = getRoot();
  Messages.setValue(name, root ? root->ReadLocalized(ClassName(), name, fallback) : fallback);
}

std::string TLTObject::getMessage(const std::string& name) const {
  std::string text = Messages.Values(name);
  if (text.empty())
    throw Exception("8EE3FAC0/F Message '" + ClassName() + "/" + name + "' not defined");
  return Format(text);
}

std::string TLTObject::ReplacePlaceholder(const std::string& text, const std::string& name,
                                          const std::string& value) {
  return StringReplaceAll(text, "%" + name + "%", value);
}

void TLTObject::ShowMessage(const std::string& name) const {
  MessageDlg(getMessage(name), mtInformation);
}

bool TLTObject::Confirm(const std::string& name) const {
  return MessageDlg(getMessage(name), mtConfirmation) == mrYes;
}

std::string TLTObject::ClassName() const { return ClassNameOf(typeid(*this)); }
