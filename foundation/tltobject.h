#pragma once
// Base of the system's plain objects (the application object, users, courses, the version).
// Knows its owner, which it does not own; the owners form a chain that ends at the root
// (foundation/troot.h), in the program the application object. Owns a table of named messages
// whose texts the localization file may replace, in the section named after the object's class.
// User-interface thread only.

#include <string>

#include "toolkit/stringlist.h"

class TRoot;

class TLTObject {
public:
  explicit TLTObject(TLTObject* owner);
  virtual ~TLTObject();
  TLTObject(const TLTObject&) = delete;
  TLTObject& operator=(const TLTObject&) = delete;

  TLTObject* getOwner() const { return Owner; }
  // The root at the end of the owner chain; none for an object outside any chain.
  virtual TRoot* getRoot();
  // Fills the placeholders that the object's class knows; the base knows none.
  virtual std::string Format(const std::string& text) const;

  // Registers a message: the localized text of the class's section, else the default. A second
  // registration of a name (letter case ignored) replaces the first; an empty text removes it.
  void AddMessage(const std::string& name, const std::string& fallback);
  // The message passed through Format. Raises "8EE3FAC0/F Message 'Class/name' not defined"
  // for a name that was never registered.
  std::string getMessage(const std::string& name) const;
  // Every "%" + name + "%" (letter case counts) replaced, left to right, not scanned again.
  static std::string ReplacePlaceholder(const std::string& text, const std::string& name,
                                        const std::string& value);

  // The message in an information box (OK).
  void ShowMessage(const std::string& name) const;
  // The message as a yes/no question; true only for Yes.
  bool Confirm(const std::string& name) const;

  // The name of the object's actual class ("TUser"): its section in the localization file.
  std::string ClassName() const;

private:
  TLTObject* Owner;
  TStringList Messages;
};
