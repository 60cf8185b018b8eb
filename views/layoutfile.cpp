// TLTKeyboard's layout files: a course's .Layout XML file gives keys, found by their signed scan
// code, other kinds, characters and captions over the built-in US layout. Characters are single
// bytes of the course's code page, as the XML reader delivers them.

#include <tinyxml.h>

#include <cstdio>
#include <string>

#include "toolkit/fileio.h"
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

// The reader descends one call per level of nesting, in building and in freeing the document:
// a foreign file nested deeper than this is refused before it runs out of stack.
constexpr size_t kDeepestNesting = 1000;

// Whether elements nest deeper than `limit`: the tags that open and close elements, outside
// comments, CDATA sections, declarations and quoted attribute values.
bool NestsDeeperThan(const std::string& text, size_t limit) {
  auto skipPast = [&text](size_t at, const char* end) {
    size_t found = text.find(end, at);
    return found == std::string::npos ? text.size() : found + std::char_traits<char>::length(end);
  };
  size_t depth = 0;
  for (size_t at = text.find('<'); at < text.size(); at = text.find('<', at)) {
    if (text.compare(at, 4, "<!--") == 0) {
      at = skipPast(at, "-->");
    } else if (text.compare(at, 9, "<![CDATA[") == 0) {
      at = skipPast(at, "]]>");
    } else if (text.compare(at, 2, "</") == 0) {
      if (depth > 0) --depth;
      at = skipPast(at, ">");
    } else if (text.compare(at, 2, "<!") == 0 || text.compare(at, 2, "<?") == 0) {
      at = skipPast(at, ">");
    } else {
      // An opening tag, which closes itself when it ends in "/>".
      char quote = 0, last = 0;
      for (++at; at < text.size() && (quote || text[at] != '>'); ++at) {
        if (quote ? text[at] == quote : text[at] == '"' || text[at] == '\'') {
          quote = quote ? 0 : text[at];
        }
        last = text[at];
      }
      if (last != '/' && ++depth > limit) return true;
    }
  }
  return false;
}

}  // namespace

bool TLTKeyboard::LoadLayout(const std::string& fileName) {
  std::string text;
  // A folder opens as a file whose end the reader cannot find.
  if (!ReadFileBytes(fileName, text) || NestsDeeperThan(text, kDeepestNesting)) return false;
  TiXmlDocument document(fileName);
  // Read from the bytes as from the file, with the reader's own line-end handling.
  FILE* file = fmemopen(text.data(), text.size(), "rb");
  if (!file) return false;
  bool loaded = document.LoadFile(file);
  std::fclose(file);
  if (!loaded) return false;
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
