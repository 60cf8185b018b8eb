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

// One place of the draws: the table to draw from and, per candidate, the place after it when
// it follows another letter and when it doubles the last one.
struct TLinePlanner::TState {
  std::string Tail;
  const TDrawTable* Table = nullptr;
  int Forced = -1;
  std::vector<TState*> Next[2];
  // The candidates' letters.
  std::vector<unsigned char> Letters;
  // Once the place is drawn from often: the candidate of every draw, kNone for none.
  static constexpr uint8_t kNone = 255;
  uint32_t Draws = 0;
  std::vector<uint8_t> ByDraw;
  // Once drawn from often, for a place after a blank: per candidate, the place after it and
  // the blank that every draw then gives (a word of one letter, two draws), else null.
  bool WordsMade = false;
  std::vector<TState*> AfterWord;

  int Pick(int r) {
    if (Forced >= 0) return Forced;
    if (!ByDraw.empty()) return ByDraw[r] == kNone ? -1 : ByDraw[r];
    if (++Draws == 4096) {
      ByDraw.resize(32768);
      for (int draw = 0; draw < 32768; ++draw) {
        const int index = Table->Pick(draw);
        ByDraw[draw] = index < 0 ? kNone : static_cast<uint8_t>(index);
      }
    }
    return Table->Pick(r);
  }
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
  using TPlace = std::tuple<std::string, int32_t, unsigned char, bool>;
  std::set<TPlace> seen;
  std::vector<TPlace> pending{{context.substr(context.size() - keep), 0, 0, false}};
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
      TPlace next{Shifted(tail, letter, keep), 0, 0, false};
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

TLinePlanner::TState& TLinePlanner::StateOf(const std::string& tail, int held) {
  std::unique_ptr<TState>& state = States[{tail, held}];
  if (state) return *state;
  state = std::make_unique<TState>();
  state->Tail = tail;
  if (const TBaseStructure* node = NodeAfter(tail)) {
    state->Table = &TableAt(node, held);
    state->Forced = state->Table->Forced();
    for (auto& next : state->Next) next.assign(state->Table->Candidates().size(), nullptr);
    for (const TDrawTable::TCandidate& candidate : state->Table->Candidates())
      state->Letters.push_back(candidate.Child->getLetter());
  }
  return *state;
}

TLinePlanner::TState* TLinePlanner::After(TState& state, int index, bool doubled) {
  TState*& next = state.Next[doubled][index];
  return next ? next : next = &NewAfter(state, index, doubled);
}

TLinePlanner::TState& TLinePlanner::NewAfter(const TState& state, int index, bool doubled) {
  const unsigned char letter = state.Letters[index];
  return StateOf(Shifted(state.Tail, letter, static_cast<size_t>(Order - 1)),
                 doubled ? Base.getAlphabet().Normalize(letter) : -1);
}

void TLinePlanner::MakeWords(TState& state) {
  state.WordsMade = true;
  if (state.Tail.empty() || state.Tail.back() != ' ') return;
  std::vector<TState*> after(state.Table->Candidates().size(), nullptr);
  bool any = false;
  for (size_t index = 0; index < after.size(); ++index) {
    if (!state.Table->Drawn(index) || state.Letters[index] == ' ') continue;
    TState* word = After(state, static_cast<int>(index), false);
    if (!word->Table || word->Forced < 0 || word->Letters[word->Forced] != ' ') continue;
    after[index] = After(*word, word->Forced, false);
    any = true;
  }
  if (any) state.AfterWord = std::move(after);
}

void TLinePlanner::SkipBlankEndedLines(std::string& context) {
  const size_t keep = static_cast<size_t>(Order - 1);
  const size_t depth = context.size();
  // Order 1 has no letters to draw after: the generator draws on itself.
  if (Order < 2 || depth < keep) return;
  uint32_t seed = RandSeed, lineSeed = seed;
  std::string stream = context, lineContext = context;
  TState* state = &StateOf(context.substr(depth - keep), -1);
  int32_t count = 0;
  unsigned char last = 0;
  // The sequence comes round after 2^32 draws: a line that would come has come by then.
  for (uint64_t draws = 0;; ++draws) {
    if (draws >> 32) throw Exception("2F86C1D7/F Logic error");
    if (!state->Table) break;
    if (!state->AfterWord.empty() && (Length - count) % 2 == 0) {
      // Words of one letter, one after the other: only the draw of each letter tells.
      unsigned char letters[256];
      uint64_t words = 0, lineWords = 0;
      bool lineStarted = false;
      for (bool more = true; more && !state->AfterWord.empty();) {
        // The tables of this place, at hand while the words come back to it.
        const uint8_t* byDraw = state->ByDraw.data();
        TState* const* afterWord = state->AfterWord.data();
        const unsigned char* wordLetters = state->Letters.data();
        for (TState* here = state; state == here;) {
          const uint32_t letterSeed = seed * kMultiplier + 1u;
          const uint8_t index = byDraw[letterSeed >> 16 & 0x7FFF];
          if (index == TState::kNone || !afterWord[index]) {
            more = false;
            break;
          }
          letters[words++ & 255] = wordLetters[index];
          state = afterWord[index];
          seed = letterSeed * kMultiplier + 1u;
          count += 2;
          if (count == Length) {
            count = 0;
            lineSeed = seed;
            lineWords = words;
            lineStarted = true;
          }
          if ((draws += 2) >> 32) throw Exception("2F86C1D7/F Logic error");
        }
      }
      // The stream's last letters after the first `upTo` words of the run: two letters a word.
      auto streamAfter = [&](uint64_t upTo) {
        const uint64_t need = depth / 2 + 1;
        const uint64_t from = upTo > need ? upTo - need : 0;
        std::string tail = from == 0 ? stream : std::string();
        for (uint64_t word = from; word < upTo; ++word) {
          tail += static_cast<char>(letters[word & 255]);
          tail += ' ';
        }
        return tail.substr(tail.size() - depth);
      };
      if (lineStarted) lineContext = streamAfter(lineWords);
      if (words > 0) {
        stream = streamAfter(words);
        last = ' ';
      }
      if (!state->Table) break;
    }
    seed = seed * kMultiplier + 1u;
    const int index = state->Pick(seed >> 16 & 0x7FFF);
    // No letter: the generator's own draw raises the error.
    if (index < 0) break;
    if (!state->ByDraw.empty() && !state->WordsMade) MakeWords(*state);
    const unsigned char letter = state->Letters[index];
    const bool doubled = count > 0 && letter == last;
    state = After(*state, index, doubled);
    stream += static_cast<char>(letter);
    if (stream.size() > 4096) stream.erase(0, stream.size() - depth);
    // A leading blank is dropped.
    if (count == 0 && letter == ' ') continue;
    last = letter;
    if (++count < Length) continue;
    // A line that ends in a letter is the generator's to draw.
    if (letter != ' ') break;
    stream.erase(0, stream.size() - depth);
    lineContext = stream;
    lineSeed = seed;
    count = 0;
    state = &StateOf(state->Tail, -1);
  }
  RandSeed = lineSeed;
  context = lineContext;
}
