#include "engine/tmathstatistic.h"

#include <cmath>

double TMathStatistic::getStdDev() const {
  if (Count <= 0) return 0;
  const double count = Count;
  const double variance = (count * SumOfSquares - Sum * Sum) / (count * count);
  return variance > 0 ? std::sqrt(variance) : 0;
}
