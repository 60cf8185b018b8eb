#include "tools/course/coursecommands.h"

#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "engine/tltgenerator.h"
#include "toolkit/codepage.h"
#include "toolkit/exception.h"
#include "toolkit/fileio.h"
#include "toolkit/random.h"
#include "toolkit/sysutils.h"
#include "tools/course/basebuilder.h"

namespace {

const char kUsage[] =
    "usage:\n"
    "  lomtak-course build --text FILE... --codepage CP --alphabet LETTERS --order N\n"
    "                      --out X.Base [--info X.Info]\n"
    "  lomtak-course dump X.Base\n"
    "  lomtak-course generate X.Base [--order O] [--length L] [--lines K] [--seed S]\n"
    "Texts and letters are UTF-8; the base holds them in code page CP. --info writes the\n"
    "course information file with the average word length of the texts.\n";

// Options after the command: "--name value..." and the words that stand before any option.
struct TOptions {
  std::vector<std::string> words;
  std::map<std::string, std::vector<std::string>> values;

  std::optional<std::string> One(const std::string& name) const {
    auto found = values.find(name);
    if (found == values.end() || found->second.size() != 1) return std::nullopt;
    return found->second.front();
  }
  int Integer(const std::string& name, int fallback) const {
    if (!values.count(name)) return fallback;
    std::optional<std::string> text = One(name);
    if (!text) throw Exception("--" + name + " needs one value");
    return StrToInt(*text);
  }
  std::string Text(const std::string& name) const {
    std::optional<std::string> text = One(name);
    if (!text) throw Exception("--" + name + " needs one value");
    return *text;
  }
};

TOptions ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  std::vector<std::string>* target = &options.words;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) == 0)
      target = &options.values[args[i].substr(2)];
    else
      target->push_back(args[i]);
  }
  return options;
}

std::string ReadWholeFile(const std::string& path) {
  std::string content, error;
  if (!ReadFileBytes(path, content, &error)) throw Exception("Can't read " + path + ": " + error);
  return content;
}

int Build(const TOptions& options, std::ostream& out) {
  auto texts = options.values.find("text");
  if (texts == options.values.end() || texts->second.empty())
    throw Exception("--text needs at least one file");
  const int codePage = options.Integer("codepage", 0);
  TBaseBuilder builder(codePage, FromUtf8(options.Text("alphabet"), codePage),
                       options.Integer("order", 0));
  for (const std::string& path : texts->second)
    builder.AddText(FromUtf8(ReadWholeFile(path), codePage));
  std::string error;
  if (!builder.Write(options.Text("out"), error)) throw Exception(error);
  char figure[32];
  std::snprintf(figure, sizeof figure, "%.2f", builder.AverageWordLength());
  out << "AverageWordLength " << figure << "\n";
  if (options.values.count("info")) {
    const std::string info = std::string("[GENERAL]\r\nAverageWordLength='") + figure + "'\r\n";
    if (!ReplaceFile(options.Text("info"), info, error))
      throw Exception("Can't write " + options.Text("info") + ": " + error);
  }
  return 0;
}

// The code page of the base's letters, as the training views take it from the character set.
int CodePageOfBase(const TLTBase& base) {
  return CodePageOfCharset(base.getAlphabet().getCharset());
}

void LoadBase(const TOptions& options, TLTBase& base) {
  if (options.words.size() != 1) throw Exception("one base file expected");
  if (!base.LoadFromFile(options.words.front())) throw Exception(base.getErrorText());
}

int Dump(const TOptions& options, std::ostream& out) {
  TLTBase base;
  LoadBase(options, base);
  const TBaseFileHeader& header = base.getHeader();
  const TAlphabet& alphabet = header.Alphabet;
  const int codePage = CodePageOfBase(base);
  auto show = [codePage](const std::string& text) { return ToUtf8(text, codePage); };
  out << "Language: " << show(FromShortString(header.LanguageName)) << "\n"
      << "Charset: " << static_cast<int>(alphabet.getCharset()) << "\n"
      << "Letters (" << alphabet.Count() << "): " << show(FromShortString(alphabet.Letters)) << "\n"
      << "Map:";
  for (int position = 1; position <= alphabet.Count(); ++position) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte)
      if (alphabet.IndexOf(static_cast<unsigned char>(byte)) == position)
        bytes += static_cast<char>(byte);
    out << " " << show(std::string(1, static_cast<char>(alphabet.LetterAt(position)))) << "="
        << show(bytes);
  }
  out << "\nOrder: " << header.Order << "\n";
  for (int i = 0; i < 6; ++i)
    out << "Reserved " << i + 1 << ": \"" << show(FromShortString(header.Reserved[i])) << "\"\n";
  out << "Reserved 7: \"" << show(FromShortString(header.Reserved7)) << "\"\n";

  // Every node but the root, by level; iterative, since a damaged base may be deep or wide.
  std::map<int, int64_t> levels;
  std::vector<const TDSStructure*> pending;
  if (base.getRoot()->getSub()) pending.push_back(base.getRoot()->getSub());
  if (base.getRoot()->getNext()) pending.push_back(base.getRoot()->getNext());
  while (!pending.empty()) {
    const TDSStructure* node = pending.back();
    pending.pop_back();
    ++levels[node->getLevel()];
    if (node->getNext()) pending.push_back(node->getNext());
    if (node->getSub()) pending.push_back(node->getSub());
  }
  int64_t total = 0;
  for (const auto& [level, count] : levels) {
    out << "Level " << level << ": " << count << " nodes\n";
    total += count;
  }
  out << "Nodes: " << total << "\n";
  return 0;
}

int Generate(const TOptions& options, std::ostream& out) {
  TLTBase base;
  LoadBase(options, base);
  TLTGenerator generator(&base);
  if (options.values.count("seed"))
    SeedRandom(static_cast<uint32_t>(StrToInt(options.Text("seed"))));
  generator.setOrder(options.Integer("order", base.getOrder()));
  const int length = options.Integer("length", 60);
  const int lines = options.Integer("lines", 10);
  const int codePage = CodePageOfBase(base);
  for (int i = 0; i < lines; ++i) out << ToUtf8(generator.Generate(length), codePage) << "\n";
  return 0;
}

}  // namespace

int RunCourseTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    err << kUsage;
    return 2;
  }
  const TOptions options = ParseOptions(args);
  try {
    if (args[0] == "build") return Build(options, out);
    if (args[0] == "dump") return Dump(options, out);
    if (args[0] == "generate") return Generate(options, out);
  } catch (const Exception& error) {
    err << "lomtak-course: " << error.Message << "\n";
    return 1;
  }
  err << kUsage;
  return 2;
}
