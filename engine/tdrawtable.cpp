#include "engine/tdrawtable.h"

#include <algorithm>

#include "engine/talphabet.h"
#include "engine/tbasestructure.h"

long double CandidateWeight(const TBaseStructure* child, const double* weights,
                            const TAlphabet& alphabet) {
  return static_cast<long double>(child->getCount()) * weights[alphabet.Normalize(child->getLetter())];
}

long double DrawThreshold(int r, long double total) {
  return static_cast<long double>(r) * total / 32768;
}

namespace {

// The first draw whose threshold reaches `sum`: the draws before it stop at or before the
// candidate whose running sum `sum` is. Thresholds grow with the draw.
int FirstDrawReaching(long double sum, long double total) {
  int low = 0, high = 32768;
  while (low < high) {
    const int middle = (low + high) / 2;
    if (DrawThreshold(middle, total) >= sum) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

}  // namespace

TDrawTable::TDrawTable(const TBaseStructure* node, const double* weights,
                       const TAlphabet& alphabet) {
  long double total = 0;
  for (const TBaseStructure* child = node->getFirstChild(); child; child = child->getNextSibling())
    total += CandidateWeight(child, weights, alphabet);
  // A draw picks the first candidate whose running sum exceeds its threshold: candidate i from
  // the first draw whose threshold reaches the sum before i.
  long double sum = 0;
  for (const TBaseStructure* child = node->getFirstChild(); child;
       child = child->getNextSibling()) {
    Candidates_.push_back({child, FirstDrawReaching(sum, total)});
    sum += CandidateWeight(child, weights, alphabet);
  }
  NoneFrom_ = FirstDrawReaching(sum, total);
}

bool TDrawTable::Drawn(size_t index) const {
  const int end = index + 1 < Candidates_.size() ? Candidates_[index + 1].First : NoneFrom_;
  return Candidates_[index].First < std::min(end, 32768);
}

int TDrawTable::Forced() const {
  int only = -1;
  for (size_t i = 0; i < Candidates_.size(); ++i) {
    if (!Drawn(i)) continue;
    if (only >= 0) return -1;
    only = static_cast<int>(i);
  }
  return NoneFrom_ < 32768 ? -1 : only;
}
