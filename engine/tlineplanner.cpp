#include "engine/tlineplanner.h"

#include <algorithm>
#include <array>
#include <set>
#include <tuple>
#include <vector>

#include "engine/tbasestructure.h"
#include "engine/tltbase.h"
#include "engine/toneletterwords.h"
#include "toolkit/exception.h"
#include "toolkit/random.h"

namespace {

// The stream's last `keep` letters after `letter` follows `tail`.
std::string Shifted(const std::string& tail, unsigned char letter, size_t keep) {
  std::string shifted = tail + static_cast<char>(letter);
  if (shifted.size() > keep) shifted.erase(0, shifted.size() - keep);
  return shifted;
}

// The sequence comes round after 2^32 draws: a line that would come has come by then.
void CountDraws(uint64_t& draws, uint64_t more) {
  draws += more;
  if (draws >> 32) throw Exception("2F86C1D7/F Logic error");
}

}  // namespace

// One place of the draws: the table to draw from and, per candidate, its letter and the place
// after it when it follows another letter and when it doubles the last one. A place after a
// blank also keeps, once a run of one-letter words reaches it, where each of its letters leads.
struct TLinePlanner::TState {
  std::string Tail;
  int Held = -1;
  const TDrawTable* Table = nullptr;
  std::vector<unsigned char> Letters;
  std::vector<TState*> Next[2];
  TState* Released = nullptr;
  // Its number among the places of the runs, -1 before a run reaches it.
  int Place = -1;
  std::vector<TWord> Words;
  bool RunLooked = false;
  std::unique_ptr<TOneLetterWords> Run;
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
  state->Held = held;
  const TBaseStructure* node = NodeAfter(tail.substr(tail.size() - static_cast<size_t>(Order - 1)));
  // On a well-formed base the last letters of the stream always spell a path.
  if (!node) throw Exception("2F86C1D7/F Logic error");
  state->Table = &TableAt(node, held);
  for (auto& next : state->Next) next.assign(state->Table->Candidates().size(), nullptr);
  for (const TDrawTable::TCandidate& candidate : state->Table->Candidates())
    state->Letters.push_back(candidate.Child->getLetter());
  return *state;
}

TLinePlanner::TState* TLinePlanner::After(TState& state, int index, bool doubled) {
  TState*& next = state.Next[doubled][index];
  if (!next) {
    const unsigned char letter = state.Letters[index];
    next = &StateOf(Shifted(state.Tail, letter, state.Tail.size()),
                    doubled ? Base.getAlphabet().Normalize(letter) : -1);
  }
  return next;
}

TLinePlanner::TState* TLinePlanner::Released(TState& state) {
  if (!state.Released) state.Released = &StateOf(state.Tail, -1);
  return state.Released;
}

int TLinePlanner::PlaceOf(TState& state) {
  if (state.Place < 0 && Places.size() < kPlaces) {
    state.Place = static_cast<int>(Places.size());
    state.Words.assign(state.Letters.size(), TWord{});
    Places.push_back(&state);
    Codes.resize(Places.size() * kCodesPerPlace, kUnfilled);
    Pairs.resize(Places.size() * kPairsPerPlace);
  }
  return state.Place;
}

const TLinePlanner::TWord& TLinePlanner::WordOf(TState& place, int index) {
  TWord& word = place.Words[static_cast<size_t>(index)];
  if (word.Next != TWord::kUnknown) return word;
  word.Next = TWord::kLeaves;
  // A blank after a blank doubles it.
  if (place.Letters[static_cast<size_t>(index)] == ' ') return word;
  TState* letter = After(place, index, false);
  for (size_t j = 0; j < letter->Letters.size(); ++j) {
    if (letter->Letters[j] != ' ' || !letter->Table->Drawn(j)) continue;
    const int next = PlaceOf(*After(*letter, static_cast<int>(j), false));
    if (next < 0) break;
    word = {next, letter->Table->Candidates()[j].First, letter->Table->End(j)};
  }
  return word;
}

void TLinePlanner::FillCodes(int place) {
  TState& state = *Places[static_cast<size_t>(place)];
  const TDrawTable& table = *state.Table;
  // The place a letter's word leads to, kPlaces when it leaves the run; the blank's draws.
  auto placeAfter = [&](int index) {
    const TWord& word = WordOf(state, index);
    if (word.Next < 0) return kPlaces;
    Blanks[static_cast<size_t>(place) * kPlaces + static_cast<size_t>(word.Next)] =
        static_cast<uint32_t>(word.First) | static_cast<uint32_t>(word.End) << 16;
    return static_cast<size_t>(word.Next);
  };
  size_t pairs = 0;
  // The candidates picked by each share's first and last draw, found walking both along.
  int fromFirst = 0, fromLast = 0;
  const int candidates = static_cast<int>(table.Candidates().size());
  auto picked = [&](int& candidate, int draw) {
    while (candidate < candidates && table.End(static_cast<size_t>(candidate)) <= draw) ++candidate;
    return candidate < candidates ? candidate : -1;
  };
  for (size_t share = 0; share < kCodesPerPlace; ++share) {
    const int first = static_cast<int>(share) * kDrawsPerCode;
    const int index = picked(fromFirst, first);
    const int last = picked(fromLast, first + kDrawsPerCode - 1);
    uint16_t code = kSlow;
    if (index >= 0 && index == last) {
      const size_t next = placeAfter(index);
      if (next < kPlaces) code = static_cast<uint16_t>(next * kCodesPerPlace);
    } else if (index >= 0 && last == index + 1 && pairs < kPairsPerPlace) {
      const size_t before = placeAfter(index), after = placeAfter(last);
      Pairs[static_cast<size_t>(place) * kPairsPerPlace + pairs] = {
          static_cast<uint16_t>(table.Candidates()[static_cast<size_t>(last)].First),
          static_cast<uint8_t>(before), static_cast<uint8_t>(after)};
      code = static_cast<uint16_t>(kPair + pairs++);
    }
    Codes[static_cast<size_t>(place) * kCodesPerPlace + share] = code;
  }
}

int TLinePlanner::NextPlace(int place, uint32_t letterSeed) {
  const size_t at = static_cast<size_t>(place) * kCodesPerPlace +
                    static_cast<size_t>(DrawOf(letterSeed) / kDrawsPerCode);
  if (Codes[at] == kUnfilled) FillCodes(place);
  TState& state = *Places[static_cast<size_t>(place)];
  const int index = state.Table->Pick(DrawOf(letterSeed));
  if (index < 0) return -1;
  const TWord& word = WordOf(state, index);
  const int next = DrawOf(NextSeed(letterSeed));
  return word.Next >= 0 && next >= word.First && next < word.End ? word.Next : -1;
}

const TOneLetterWords* TLinePlanner::RunAt(TState& state) {
  if (state.RunLooked) return state.Run.get();
  state.RunLooked = true;
  const int place = PlaceOf(state);
  if (place < 0) return nullptr;
  std::vector<TOneLetterWords::TRange> blanks(state.Letters.size());
  for (size_t i = 0; i < blanks.size(); ++i) {
    if (!state.Table->Drawn(i)) continue;
    const TWord& word = WordOf(state, static_cast<int>(i));
    if (word.Next == place) blanks[i] = {word.First, word.End};
  }
  state.Run = std::make_unique<TOneLetterWords>(*state.Table, std::move(blanks));
  return state.Run.get();
}

uint64_t TLinePlanner::RecentWords() const {
  return static_cast<uint64_t>(Base.getOrder()) / 2 + 1;
}

TLinePlanner::TPassed TLinePlanner::PassRun(TState& state, uint32_t& seed) {
  TPassed passed;
  const TOneLetterWords* run = RunAt(state);
  if (!run) return passed;
  const std::optional<uint64_t> before = run->WordsBefore(seed);
  if (!before) throw Exception("2F86C1D7/F Logic error");
  const uint64_t words = *before / PerLine() * PerLine();
  const uint64_t recent = std::min<uint64_t>(words, RecentWords());
  uint32_t word = SeedAfter(seed, 2 * (words - recent));
  for (uint64_t i = 0; i < recent; ++i) {
    word = NextSeed(word);
    passed.LastLetters.push_back(
        state.Letters[static_cast<size_t>(state.Table->Pick(DrawOf(word)))]);
    word = NextSeed(word);
  }
  seed = word;
  passed.Words = words;
  return passed;
}

TLinePlanner::TPassed TLinePlanner::PassChain(TState*& state, uint32_t& seed) {
  TPassed passed;
  const int first = PlaceOf(*state);
  if (first < 0) return passed;
  const uint64_t perLine = PerLine();
  // The places after the words, as many as a line and the stream's last letters need.
  size_t size = 1;
  while (size < perLine + RecentWords() + 1) size *= 2;
  std::vector<uint8_t> after(size);
  uint32_t word = seed, lineSeed = seed;
  int linePlace = first;
  uint64_t words = 0;
  // The place's share of the codes begins at its number times kCodesPerPlace, as a code
  // names it.
  const uint16_t* codes = Codes.data();
  size_t at = static_cast<size_t>(first) * kCodesPerPlace;
  for (uint64_t inLine = 0;;) {
    const uint32_t letterSeed = NextSeed(word);
    const size_t code = codes[at + static_cast<size_t>(DrawOf(letterSeed) / kDrawsPerCode)];
    const uint32_t draw = static_cast<uint32_t>(DrawOf(NextSeed(letterSeed)));
    // Two draws in one step, so that the next word's seed need not wait for this one's letter.
    word = word * kTwoDrawsMultiplier + kTwoDrawsIncrement;
    size_t next = code / kCodesPerPlace;
    if (code >= kPair && code < kSlow) {
      const TPair& pair = Pairs[at / kCodesPerPlace * kPairsPerPlace + (code - kPair)];
      next = DrawOf(letterSeed) < pair.Second ? pair.Before : pair.After;
    }
    if (next < kPlaces) {
      const uint32_t blank = Blanks[at / kCodesPerPlace * kPlaces + next];
      if (draw - (blank & 0xFFFF) >= (blank >> 16) - (blank & 0xFFFF)) break;
    } else {
      const int found = NextPlace(static_cast<int>(at / kCodesPerPlace), letterSeed);
      if (found < 0) break;
      next = static_cast<size_t>(found);
      codes = Codes.data();
    }
    at = next * kCodesPerPlace;
    after[words++ & (size - 1)] = static_cast<uint8_t>(next);
    if (++inLine < perLine) continue;
    inLine = 0;
    lineSeed = word;
    linePlace = static_cast<int>(at / kCodesPerPlace);
    passed.Words = words;
    // The sequence comes round after 2^32 draws.
    if (words >> 31) throw Exception("2F86C1D7/F Logic error");
  }
  for (uint64_t i = std::min<uint64_t>(passed.Words, RecentWords()); i > 0; --i) {
    const std::string& tail = Places[after[(passed.Words - i) & (size - 1)]]->Tail;
    passed.LastLetters.push_back(static_cast<unsigned char>(tail[tail.size() - 2]));
  }
  seed = lineSeed;
  state = Places[static_cast<size_t>(linePlace)];
  return passed;
}

std::string TLinePlanner::DrawLine(std::string& context) {
  const size_t depth = context.size();
  const size_t keep = static_cast<size_t>(std::max(Order - 1, 1));
  uint32_t seed = RandSeed;
  std::string stream = context, line(static_cast<size_t>(Length), ' ');
  TState* state = &StateOf(context.substr(depth - keep), -1);
  int32_t count = 0;
  uint64_t draws = 0;
  bool wordsLooked = false;
  for (;;) {
    if (count == 0 && !wordsLooked) {
      // Whole lines of one-letter words end in a blank: passed over to the line in which a
      // word leaves the run, which is drawn letter by letter.
      wordsLooked = true;
      if (Length % 2 == 0 && state->Held < 0 && state->Tail.back() == ' ') {
        // Below order 3 every place after a blank is the same one: the run comes back to it
        // after every word, and its end is found from the seed alone.
        const TPassed passed = Order <= 2 ? PassRun(*state, seed) : PassChain(state, seed);
        CountDraws(draws, 2 * passed.Words);
        for (unsigned char letter : passed.LastLetters) {
          stream += static_cast<char>(letter);
          stream += ' ';
        }
      }
    }
    seed = NextSeed(seed);
    CountDraws(draws, 1);
    const int index = state->Table->Pick(DrawOf(seed));
    if (index < 0) {
      // The generator's draw has shifted its context before it finds no letter.
      RandSeed = seed;
      context = stream.substr(stream.size() - depth + 1) + stream.back();
      throw Exception("A5F26994/F Logic error");
    }
    const unsigned char letter = state->Letters[index];
    stream += static_cast<char>(letter);
    if (stream.size() > 4096) stream.erase(0, stream.size() - depth);
    // A leading blank is dropped.
    if (count == 0 && letter == ' ') {
      state = After(*state, index, false);
      continue;
    }
    const bool doubled = count > 0 && letter == static_cast<unsigned char>(state->Tail.back());
    state = After(*state, index, doubled);
    line[static_cast<size_t>(count)] = static_cast<char>(letter);
    if (++count < Length) continue;
    if (letter != ' ') break;
    count = 0;
    wordsLooked = false;
    state = Released(*state);
  }
  RandSeed = seed;
  context = stream.substr(stream.size() - depth);
  return line;
}
