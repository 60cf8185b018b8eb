#pragma once
// The draw of one letter at one trie node, worked out once for given weights: which of the 32768
// possible random draws picks which child. A draw through the table picks exactly what the
// generator's running sum picks, since both use the functions below. Plain values; any thread.

#include <cstddef>
#include <cstdint>
#include <vector>

struct TAlphabet;
class TBaseStructure;

// A candidate's weight: its count times the weight of its canonical letter.
long double CandidateWeight(const TBaseStructure* child, const double* weights,
                            const TAlphabet& alphabet);
// The running sum that a draw `r` (0 to 32767) must exceed, for candidates summing to `total`.
long double DrawThreshold(int r, long double total);

class TDrawTable {
public:
  // The node's children as candidates under the weights (indexed by canonical letter). The
  // candidates' weights must not be negative.
  TDrawTable(const TBaseStructure* node, const double* weights, const TAlphabet& alphabet);

  struct TCandidate {
    const TBaseStructure* Child;
    // The draws from First up to, not including, the next candidate's First pick this child.
    int First;
  };
  // Every child, in sibling order; one that no draw picks has the next one's First.
  const std::vector<TCandidate>& Candidates() const { return Candidates_; }
  // Draws from this one on pick no child (the generator's logic error); 32768 when none does.
  int NoneFrom() const { return NoneFrom_; }
  // The draws that pick the candidate at `index`: from First to End.
  int End(size_t index) const {
    return index + 1 < Candidates_.size() ? Candidates_[index + 1].First : NoneFrom_;
  }

  // The candidate that draw `r` picks, -1 for none.
  int Pick(int r) const {
    const uint16_t bucket = Buckets[r >> kBucketShift];
    if (bucket != kMixed) return bucket == kNone ? -1 : bucket;
    if (r >= NoneFrom_) return -1;
    size_t low = 0, high = Candidates_.size();
    while (high - low > 1) {
      const size_t middle = (low + high) / 2;
      if (Candidates_[middle].First <= r) {
        low = middle;
      } else {
        high = middle;
      }
    }
    return static_cast<int>(low);
  }
  // Whether some draw picks the candidate at `index`.
  bool Drawn(size_t index) const;
  // The only candidate that every draw picks, else -1.
  int Forced() const;

private:
  // The draws in runs of 128, each run's candidate when all its draws pick one.
  static constexpr int kBucketShift = 7;
  static constexpr uint16_t kNone = 0xFFFE, kMixed = 0xFFFF;

  std::vector<TCandidate> Candidates_;
  int NoneFrom_ = 32768;
  uint16_t Buckets[32768 >> kBucketShift];
};
