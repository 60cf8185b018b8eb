// TLTKeyboard's layout files: a course's .Layout XML file gives keys, found by their signed scan
// code, other kinds, characters and captions over the built-in US layout. Characters are single
// bytes of the course's code page, as the XML reader delivers them.

#include <tinyxml.h>

#include "toolkit/sysutils.h"
#include "views/tltkeyboard.h"

namespace {

// Compared exactly; anything else is a sign key.
uint8_t KeyKindOfName(const std::string& name) {
  if (name == "letter") return kkLetter;
  if (name == "control") return kkControl;
  if (name == "modifier") return kkModifier;
  return kkSign;
}

std::string AttributeText(const TiXmlElement* element, const char* name) {
  const char* text = element->Attribute(name);
  return text ? text : "";
}

char FirstCharacter(const std::string& text) { return text.empty() ? 0 : text[0]; }

}  // namespace

bool TLTKeyboard::LoadLayout(const std::string& fileName) {
  TiXmlDocument document(fileName);
  if (!document.LoadFile()) return false;
  const TiXmlElement* root = document.FirstChildElement();
  if (!root || root->ValueStr() != "keyboard") return false;

  SetDefaultLayout();
  // A layout without a "buttons" node leaves the built-in characters.
  const TiXmlNode* keys = root->FirstChild("buttons");
  for (const TiXmlNode* node = keys ? keys->FirstChild() : nullptr; node;
       node = node->NextSibling()) {
    const TiXmlElement* element = node->ToElement();
    if (!element || !element->Attribute("sc")) continue;
    int scanCode = StrToInt(AttributeText(element, "sc"));
    uint8_t kind = KeyKindOfName(AttributeText(element, "type"));
    char value = FirstCharacter(AttributeText(element, "value"));
    char shiftValue = FirstCharacter(AttributeText(element, "shiftvalue"));
    std::string caption = AttributeText(element, "caption");
    for (const auto& button : Buttons) {
      if (button->ScanCode != scanCode) continue;
      button->Kind = kind;
      button->Value = value;
      button->ShiftValue = shiftValue;
      button->Caption = caption;
      button->Font.setCharset(Font()->Charset());
      button->Dirty = true;
    }
  }
  RenderView();
  return true;
}
