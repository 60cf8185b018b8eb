#include "tools/course/basebuilder.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/tltbaseformat.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/fileio.h"
#include "toolkit/sysutils.h"

namespace {

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length && i + k < text.size(); ++k)
      code = code << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    out += code;
    i += length;
  }
  return out;
}

std::string EncodeUtf8(char32_t code) {
  std::string out;
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
  return out;
}

// The capital of a letter in the code page, or the letter itself when the code page has none.
// Case follows Unicode, whatever locale the program runs in.
unsigned char CapitalOf(unsigned char letter, int codePage) {
  static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  std::string utf8 = ToUtf8(std::string(1, static_cast<char>(letter)), codePage);
  std::u32string codes = DecodeUtf8(utf8);
  if (codes.size() != 1) return letter;
  wint_t upper = unicode ? towupper_l(codes[0], unicode) : std::towupper(codes[0]);
  std::string capitalUtf8 = EncodeUtf8(static_cast<char32_t>(upper));
  std::string capital = FromUtf8(capitalUtf8, codePage);
  if (capital.size() != 1 || ToUtf8(capital, codePage) != capitalUtf8) return letter;
  return static_cast<unsigned char>(capital[0]);
}

}  // namespace

TBaseBuilder::TBaseBuilder(int codePage, const std::string& letters, int order) : Order(order) {
  const int charset = CharsetOfCodePage(codePage);
  if (charset < 0) throw Exception("Unknown code page " + IntToStr(codePage));
  if (order < 1 || order > 255) throw Exception("The order must lie from 1 to 255");
  if (letters.size() > 255) throw Exception("An alphabet holds at most 255 letters");
  Alphabet.Init(static_cast<uint8_t>(charset));
  for (unsigned char letter : letters) {
    if (letter == ' ') throw Exception("The blank is not a letter");
    if (Alphabet.IndexOf(letter) != 0)
      throw Exception("Letter " + ToUtf8(std::string(1, static_cast<char>(letter)), codePage) +
                      " given twice");
    int position = ++Alphabet.Letters[0];
    Alphabet.Letters[position] = letter;
    Alphabet.Map[letter] = static_cast<uint8_t>(position);
  }
  // Capitals after all small letters, so that a letter given as such keeps its own place.
  for (int position = 1; position <= Alphabet.Count(); ++position) {
    unsigned char capital = CapitalOf(Alphabet.Letters[position], codePage);
    if (Alphabet.IndexOf(capital) == 0) Alphabet.Map[capital] = static_cast<uint8_t>(position);
  }
  // Letters below 128 read the same in every code page: a Western alphabet of them keeps the
  // ANSI set, as the shipped English course has it.
  bool ascii = true;
  for (int byte = 128; byte < 256; ++byte) ascii = ascii && Alphabet.IndexOf(byte) == 0;
  if (codePage == kWesternCodePage && ascii) Alphabet.Charset = 0;
}

TBaseBuilder::~TBaseBuilder() = default;

void TBaseBuilder::AddText(const std::string& text) {
  for (unsigned char byte : text) {
    if (unsigned char letter = Alphabet.Normalize(byte)) {
      if (Stream.empty() || Stream.back() == ' ') ++Words;
      ++Letters;
      Stream += static_cast<char>(letter);
    } else if (!Stream.empty() && Stream.back() != ' ') {
      Stream += ' ';
    }
  }
  // A text ends a word, and the ring closes through a blank.
  if (!Stream.empty() && Stream.back() != ' ') Stream += ' ';
}

double TBaseBuilder::AverageWordLength() const {
  return Words ? static_cast<double>(Letters) / static_cast<double>(Words) : 0.0;
}

bool TBaseBuilder::Write(const std::string& path, std::string& error) const {
  TNode root;
  const size_t size = Stream.size();
  for (size_t start = 0; start < size; ++start) {
    TNode* node = &root;
    for (int k = 0; k < Order; ++k) {
      std::unique_ptr<TNode>& child =
          node->Children[static_cast<unsigned char>(Stream[(start + k) % size])];
      if (!child) child = std::make_unique<TNode>();
      node = child.get();
      ++node->Count;
    }
  }

  TBaseFileHeader header{};
  std::string name = path.substr(path.find_last_of('/') + 1);
  ToShortString(name.substr(0, name.find_last_of('.')), header.LanguageName);
  header.Alphabet = Alphabet;
  header.Order = Order;

  // Depth-first pre-order, children by letter; the depth is at most the order.
  std::string file(reinterpret_cast<const char*>(&header), sizeof header);
  struct TFrame {
    const TNode* node;
    std::map<unsigned char, std::unique_ptr<TNode>>::const_iterator next;
  };
  std::vector<TFrame> frames{{&root, root.Children.begin()}};
  while (!frames.empty()) {
    TFrame& top = frames.back();
    if (top.next == top.node->Children.end()) {
      frames.pop_back();
      continue;
    }
    const auto& [letter, child] = *top.next++;
    uint8_t record[kBaseRecordSize];
    EncodeBaseRecord({static_cast<int>(frames.size()), letter,
                      static_cast<int32_t>(std::min<int64_t>(child->Count, INT32_MAX))},
                     record);
    file.append(reinterpret_cast<const char*>(record), kBaseRecordSize);
    frames.push_back({child.get(), child->Children.begin()});
  }

  std::string reason;
  if (!ReplaceFile(path, file, reason)) {
    error = "Can't write " + path + ": " + reason;
    return false;
  }
  return true;
}
