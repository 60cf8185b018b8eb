#include "engine/tdrawtable.h"

#include <algorithm>
#include <cmath>

#include "engine/talphabet.h"
#include "engine/tbasestructure.h"

long double CandidateWeight(const TBaseStructure* child, const double* weights,
                            const TAlphabet& alphabet) {
  return static_cast<long double>(child->getCount()) *
         weights[alphabet.Normalize(child->getLetter())];
}

long double DrawThreshold(int r, long double total) {
  return static_cast<long double>(r) * total / 32768;
}

namespace {

// The first draw whose threshold reaches `sum`: the draws before it stop at or before the
// candidate whose running sum `sum` is. Thresholds grow with the draw, so the draw is the one
// the proportion names, give or take the rounding of the thresholds.
int FirstDrawReaching(long double sum, long double total) {
  if (!(total > 0)) return sum <= 0 ? 0 : 32768;
  long double estimate = std::ceil(sum / total * 32768);
  int r = static_cast<int>(std::clamp<long double>(estimate, 0, 32768));
  while (r > 0 && DrawThreshold(r - 1, total) >= sum) --r;
  while (r < 32768 && DrawThreshold(r, total) < sum) ++r;
  return r;
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
  // Each run of draws lies within one candidate when its first and last draw pick the same.
  size_t index = 0;
  for (int bucket = 0; bucket < (32768 >> kBucketShift); ++bucket) {
    const int first = bucket << kBucketShift, last = first + (1 << kBucketShift) - 1;
    while (index < Candidates_.size() && End(index) <= first) ++index;
    if (first >= NoneFrom_) {
      Buckets[bucket] = kNone;
    } else {
      Buckets[bucket] = last < End(index) ? static_cast<uint16_t>(index) : kMixed;
    }
  }
}

bool TDrawTable::Drawn(size_t index) const {
  return Candidates_[index].First < std::min(End(index), 32768);
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
