#include "engine/tlineplanner.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>
#include <vector>

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "toolkit/exception.h"
#include "toolkit/random.h"

namespace {

constexpr uint32_t kMultiplier = 22695477u;

// The stream's last `keep` letters after `letter` follows `tail`.
std::string Shifted(const std::string& tail, unsigned char letter, size_t keep) {
  std::string shifted = tail + static_cast<char>(letter);
  if (shifted.size() > keep) shifted.erase(0, shifted.size() - keep);
  return shifted;
}

}  // namespace

// The letters that the draws from one word's first letter on give when every draw after the
// first is forced: they end in the blank that closes the word. Open (Length 0) when a draw in
// it could go more than one way, a letter doubles, or the word is no shorter than the line.
struct TLinePlanner::TRound {
  size_t Length = 0;
  std::string Letters;
  std::string NextTail;
  // The random sequence's step over the word's draws after the first: seed := A * seed + C.
  uint32_t A = 1, C = 0;
  // The words after this one, once looked up.
  TRounds* Next = nullptr;
};

struct TLinePlanner::TRounds {
  std::vector<TRound> Words;
  // For every draw the word it starts.
  std::vector<uint16_t> ByDraw = std::vector<uint16_t>(32768, 0);
};

TLinePlanner::TLinePlanner(const TLTBase& base, const double* weights, int32_t order,
                           int32_t length)
    : Base(base), Weights(weights), Order(order), Length(length) {}

TLinePlanner::~TLinePlanner() = default;

const TBaseStructure* TLinePlanner::NodeAfter(const std::string& tail) {
  auto found = Nodes.find(tail);
  if (found != Nodes.end()) return found->second;
  TBaseStructure* node = Base.getRoot();
  for (size_t i = 0; node && i < tail.size(); ++i)
    node = node->FindChild(static_cast<unsigned char>(tail[i]), false);
  return Nodes[tail] = node;
}

const TDrawTable& TLinePlanner::TableAt(const TBaseStructure* node, int held) {
  std::unique_ptr<TDrawTable>& table = Tables[{node, held}];
  if (!table) {
    std::array<double, 256> weights;
    std::copy(Weights, Weights + 256, weights.begin());
    // A letter drawn twice in a row goes on at the neutral weight.
    if (held >= 0) weights[held] = 1.0;
    table = std::make_unique<TDrawTable>(node, weights.data(), Base.getAlphabet());
  }
  return *table;
}

bool TLinePlanner::LinePossible(const std::string& context) {
  const size_t keep = static_cast<size_t>(Order - 1);
  if (context.size() < keep) return true;
  // A place in the draws: the stream's last letters, the letters of the line so far, its last
  // one, and whether that one doubled (and so weighs 1.0).
  using TState = std::tuple<std::string, int32_t, unsigned char, bool>;
  std::set<TState> seen;
  std::vector<TState> pending{{context.substr(context.size() - keep), 0, 0, false}};
  seen.insert(pending.back());
  const TAlphabet& alphabet = Base.getAlphabet();
  while (!pending.empty()) {
    const auto [tail, count, last, doubled] = pending.back();
    pending.pop_back();
    const TBaseStructure* node = NodeAfter(tail);
    if (!node) continue;
    const TDrawTable& table = TableAt(node, doubled ? alphabet.Normalize(last) : -1);
    for (size_t i = 0; i < table.Candidates().size(); ++i) {
      if (!table.Drawn(i)) continue;
      const unsigned char letter = table.Candidates()[i].Child->getLetter();
      TState next{Shifted(tail, letter, keep), 0, 0, false};
      if (count > 0 || letter != ' ') {
        if (count + 1 == Length && letter != ' ') return true;
        // A line that ends in a blank is drawn again from where it ended.
        if (count + 1 < Length)
          next = {std::get<0>(next), count + 1, letter, count > 0 && letter == last};
      }
      if (seen.insert(next).second) pending.push_back(next);
    }
  }
  return false;
}

TLinePlanner::TRounds& TLinePlanner::RoundsAfter(const std::string& tail) {
  std::unique_ptr<TRounds>& rounds = Rounds[tail];
  if (rounds) return *rounds;
  rounds = std::make_unique<TRounds>();
  // Draws that pick no letter (the generator's error) start no word.
  rounds->Words.push_back(TRound());
  const TBaseStructure* start = NodeAfter(tail);
  if (!start) return *rounds;
  const size_t keep = static_cast<size_t>(Order - 1);
  const TDrawTable& first = TableAt(start, -1);
  for (size_t i = 0; i < first.Candidates().size(); ++i) {
    if (!first.Drawn(i)) continue;
    TRound round;
    round.Letters = static_cast<char>(first.Candidates()[i].Child->getLetter());
    round.NextTail = Shifted(tail, round.Letters[0], keep);
    // A blank first is a leading blank or a doubled one: not a word.
    while (round.Letters[0] != ' ' && round.Letters.back() != ' ' &&
           round.Letters.size() < static_cast<size_t>(Length)) {
      const TBaseStructure* node = NodeAfter(round.NextTail);
      const TBaseStructure* forced = node ? TableAt(node, -1).Forced() : nullptr;
      if (!forced || forced->getLetter() == static_cast<unsigned char>(round.Letters.back())) break;
      round.Letters += static_cast<char>(forced->getLetter());
      round.NextTail = Shifted(round.NextTail, forced->getLetter(), keep);
      round.C = round.C * kMultiplier + 1u;
      round.A *= kMultiplier;
    }
    if (round.Letters[0] != ' ' && round.Letters.back() == ' ' &&
        round.Letters.size() < static_cast<size_t>(Length))
      round.Length = round.Letters.size();
    const int end = std::min(first.NoneFrom(), i + 1 < first.Candidates().size()
                                                   ? first.Candidates()[i + 1].First
                                                   : 32768);
    std::fill(rounds->ByDraw.begin() + first.Candidates()[i].First, rounds->ByDraw.begin() + end,
              static_cast<uint16_t>(rounds->Words.size()));
    rounds->Words.push_back(std::move(round));
  }
  return *rounds;
}

void TLinePlanner::SkipBlankEndedLines(std::string& context) {
  const size_t keep = static_cast<size_t>(Order - 1);
  if (context.size() < keep) return;
  const size_t depth = context.size();
  uint32_t lineSeed = RandSeed;
  std::string lineContext = context, stream = context;
  int32_t count = 0;
  // The sequence comes round after 2^32 draws: a line that would come has come by then.
  TRounds* rounds = &RoundsAfter(context.substr(context.size() - keep));
  for (uint64_t draws = 0; draws < (uint64_t{1} << 32);) {
    TRound& round = rounds->Words[rounds->ByDraw[Rand()]];
    if (round.Length == 0 || count + static_cast<int32_t>(round.Length) > Length) {
      // This line may end in a letter: the generator draws it itself, from its start.
      RandSeed = lineSeed;
      context = lineContext;
      return;
    }
    RandSeed = round.A * RandSeed + round.C;
    draws += round.Length;
    stream += round.Letters;
    if (!round.Next) round.Next = &RoundsAfter(round.NextTail);
    rounds = round.Next;
    count += static_cast<int32_t>(round.Length);
    if (stream.size() > 2 * depth + 256) stream.erase(0, stream.size() - depth);
    if (count == Length) {
      // Ended in a blank: the generator would draw this line again from here.
      stream.erase(0, stream.size() - depth);
      lineContext = stream;
      lineSeed = RandSeed;
      count = 0;
    }
  }
  throw Exception("2F86C1D7/F Logic error");
}
