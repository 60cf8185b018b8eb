#include "engine/tltgenerator.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/tbasestructure.h"
#include "engine/tdrawtable.h"
#include "engine/tlineplanner.h"
#include "engine/tltbase.h"
#include "toolkit/exception.h"
#include "toolkit/random.h"

namespace {

constexpr double kMaxWeight = 10000000.0;

// Draws of one line before a damaged base is given up: with ordinary weights a line needs a few
// draws more than its length.
int64_t DrawBudget(int32_t length) { return 10000 + 1000 * static_cast<int64_t>(length); }

// Trie nodes one line may look at. A well-formed base needs a few hundred a letter; a damaged
// one may chain a million siblings, which every renewed context walks again, so that the draws
// alone would bound the time only to hours.
constexpr uint64_t kVisitBudget = uint64_t{1} << 24;

// A letter drawn twice in a row goes on at the neutral weight; its own weight comes back when
// another letter follows, when the line is done, or when drawing ends in an error.
class THeldLetter {
public:
  explicit THeldLetter(TLTGenerator& generator) : Generator(generator) {}
  ~THeldLetter() { Release(); }
  THeldLetter(const THeldLetter&) = delete;
  THeldLetter& operator=(const THeldLetter&) = delete;

  // Does nothing while a letter is held.
  void Hold(unsigned char letter) {
    if (Holding) return;
    Holding = true;
    Letter = letter;
    Weight = Generator.getWeight(letter);
    Generator.setWeight(letter, 1.0);
  }
  void Release() {
    if (Holding) Generator.setWeight(Letter, Weight);
    Holding = false;
  }

private:
  TLTGenerator& Generator;
  bool Holding = false;
  unsigned char Letter = 0;
  double Weight = 0;
};

// Draws of one line after which a well-formed base's line is drawn by the planner: ordinary
// weights need a few more than the length, a heavy weight on the blank may need millions.
int64_t DrawsBeforePlanning(int32_t length) { return 4 * static_cast<int64_t>(length); }

// Puts the weights back as they were when it was made.
class TSavedWeights {
public:
  explicit TSavedWeights(double* weights) : Weights(weights) {
    std::copy(weights, weights + 256, Saved.begin());
  }
  ~TSavedWeights() { std::copy(Saved.begin(), Saved.end(), Weights); }
  TSavedWeights(const TSavedWeights&) = delete;
  TSavedWeights& operator=(const TSavedWeights&) = delete;

private:
  double* Weights;
  std::array<double, 256> Saved;
};

}  // namespace

TLTGenerator::TLTGenerator(TLTBase* base) : Base(base), Order(base ? base->getOrder() : 1) {
  Randomize();
  ResetWeights();
  // A walk over the whole trie: made while the course loads rather than in the first line that
  // needs the planner.
  if (Base) WellFormed();
}

void TLTGenerator::setOrder(int32_t order) {
  Order = order;
  if (Base && Order > Base->getOrder()) Order = Base->getOrder();
  if (Order < 1) Order = 1;
}

void TLTGenerator::ResetWeights() {
  for (double& weight : Weight) weight = 1.0;
}

int TLTGenerator::WeightIndex(unsigned char letter) const {
  return Base ? Base->getAlphabet().Normalize(letter) : 0;
}

void TLTGenerator::setWeight(unsigned char letter, double weight) {
  if (!(weight >= 0)) weight = 0;
  if (weight > kMaxWeight) weight = kMaxWeight;
  Weight[WeightIndex(letter)] = weight;
}

double TLTGenerator::getWeight(unsigned char letter) const { return Weight[WeightIndex(letter)]; }

void TLTGenerator::RandomContext(TBaseStructure* node) {
  if (!node) {
    if (!Base) return;
    node = Base->getRoot();
    Context.clear();
  }
  while (TBaseStructure* first = node->getFirstChild()) {
    // Counted rather than tabled: a damaged base may give a node any number of children.
    int children = 0;
    for (TBaseStructure* child = first; child; child = child->getNextSibling()) ++children;
    int pick = Rand() % children;
    Visited += static_cast<uint64_t>(children) + static_cast<uint64_t>(pick);
    node = first;
    while (pick-- > 0) node = node->getNextSibling();
    Context += static_cast<char>(node->getLetter());
  }
}

unsigned char TLTGenerator::NextLetter() {
  if (!Base) throw Exception("4C3B0DCB/F No base");
  setOrder(Order);
  const int32_t depth = Base->getOrder();
  if (depth < 1) return 0;
  const size_t size = static_cast<size_t>(depth);
  if (Context.size() < size) RandomContext(nullptr);
  // Walks that do not end at the base's depth leave too much or too little context: keep the
  // tail, or draw nothing until a walk reaches that depth.
  if (Context.size() > size) Context.erase(0, Context.size() - size);
  if (Context.size() < size) return 0;

  std::memmove(&Context[0], &Context[1], size - 1);
  TBaseStructure* node = Base->getRoot();
  for (size_t i = size - Order; i + 1 < size; ++i) {
    // The lookup of FindChild without creation, counting the siblings it passes.
    const unsigned char letter = static_cast<unsigned char>(Context[i]);
    TBaseStructure* child = node->getFirstChild();
    for (; child && child->getLetter() != letter; child = child->getNextSibling()) ++Visited;
    if (!child) {
      RandomContext(nullptr);
      return 0;
    }
    node = child;
  }

  const TAlphabet& alphabet = Base->getAlphabet();
  long double total = 0;
  for (TBaseStructure* child = node->getFirstChild(); child; child = child->getNextSibling()) {
    total += CandidateWeight(child, Weight, alphabet);
    ++Visited;
  }
  const long double threshold = DrawThreshold(Rand(), total);
  long double sum = 0;
  for (TBaseStructure* child = node->getFirstChild(); child; child = child->getNextSibling()) {
    sum += CandidateWeight(child, Weight, alphabet);
    if (sum > threshold) {
      Context[size - 1] = static_cast<char>(child->getLetter());
      return child->getLetter();
    }
  }
  throw Exception("A5F26994/F Logic error");
}

bool TLTGenerator::WellFormed() {
  if (Shape != TShape::Unknown) return Shape == TShape::WellFormed;
  Shape = TShape::Damaged;
  const int32_t depth = Base->getOrder();
  TBaseStructure* root = Base->getRoot();
  if (depth < 1 || !root->getFirstChild()) return false;
  // Every node with the node its letters but the first spell: the walk the draws take after it.
  struct TPlace {
    TBaseStructure* node;
    int32_t level;
    TBaseStructure* suffix;
  };
  std::vector<TPlace> pending{{root, 0, nullptr}};
  uint64_t visited = 0;
  // Per letter: the place that saw it among its children, and the suffix's child of that
  // letter (the first, as FindChild finds it) for the place that looked it up.
  std::vector<uint64_t> seenAt(256, 0), suffixAt(256, 0);
  std::vector<TBaseStructure*> suffixChild(256, nullptr);
  for (uint64_t stamp = 1; !pending.empty(); ++stamp) {
    const TPlace place = pending.back();
    pending.pop_back();
    if (place.level > 0)
      for (TBaseStructure* child = place.suffix->getFirstChild(); child;
           child = child->getNextSibling()) {
        if (++visited > kVisitBudget) return false;
        if (suffixAt[child->getLetter()] == stamp) continue;
        suffixAt[child->getLetter()] = stamp;
        suffixChild[child->getLetter()] = child;
      }
    for (TBaseStructure* child = place.node->getFirstChild(); child;
         child = child->getNextSibling()) {
      const unsigned char letter = child->getLetter();
      // Siblings carry distinct letters, as in any trie the loader builds from a sound file.
      if (seenAt[letter] == stamp) return false;
      seenAt[letter] = stamp;
      TBaseStructure* suffix = root;
      if (place.level > 0) suffix = suffixAt[letter] == stamp ? suffixChild[letter] : nullptr;
      // A letter 0 is what NextLetter answers for no letter drawn; a negative count would
      // make the running sums of the draws fall.
      if (++visited > kVisitBudget || !suffix || letter == 0 || child->getCount() < 0) return false;
      const bool leaf = !child->getFirstChild();
      if (leaf != (place.level + 1 == depth)) return false;
      if (!leaf) pending.push_back({child, place.level + 1, suffix});
    }
  }
  Shape = TShape::WellFormed;
  return true;
}

std::string TLTGenerator::Generate(int32_t length) {
  std::string line;
  if (length < 1) return line;
  const int64_t budget = DrawBudget(length);
  int64_t draws = budget;
  const uint64_t visits = Visited + kVisitBudget;
  THeldLetter held(*this);
  for (;;) {
    line.clear();
    while (line.size() < static_cast<size_t>(length)) {
      if (line.empty() && budget - draws > DrawsBeforePlanning(length) && WellFormed()) {
        // Line after line ends in a blank, or none even starts: the weights may let no line
        // end in a letter, and then the line comes at the neutral weights; otherwise the
        // planner draws on to the first line that ends in a letter.
        std::unique_ptr<TSavedWeights> saved;
        auto planner = std::make_unique<TLinePlanner>(*Base, Weight, Order, length);
        if (!planner->LinePossible(Context)) {
          saved = std::make_unique<TSavedWeights>(Weight);
          ResetWeights();
          planner = std::make_unique<TLinePlanner>(*Base, Weight, Order, length);
          if (!planner->LinePossible(Context)) throw Exception("2F86C1D7/F Logic error");
        }
        return planner->DrawLine(Context);
      }
      unsigned char letter = 0;
      while (letter == 0) {
        if ((draws <= 0 || Visited > visits) && !WellFormed())
          throw Exception("2F86C1D7/F Logic error");
        --draws;
        letter = NextLetter();
      }
      if (line.empty() && letter == ' ') continue;
      if (!line.empty()) {
        const unsigned char last = static_cast<unsigned char>(line.back());
        if (letter == last)
          held.Hold(letter);
        else
          held.Release();
      }
      line += static_cast<char>(letter);
    }
    held.Release();
    if (line.back() != ' ') return line;
  }
}
