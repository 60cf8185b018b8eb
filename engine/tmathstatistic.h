#pragma once
// Running count, sum and sum of squares of a series of values, with their mean and population
// standard deviation. A value type; one thread at a time.

#include <cstdint>

class TMathStatistic {
public:
  TMathStatistic() { Reset(); }

  void Reset() {
    Count = 0;
    Sum = 0;
    SumOfSquares = 0;
  }
  void Add(double value) {
    ++Count;
    Sum += value;
    SumOfSquares += value * value;
  }

  int32_t getCount() const { return Count; }
  double getSum() const { return Sum; }
  // 0 for no values.
  double getMean() const { return Count > 0 ? Sum / Count : 0; }
  // 0 for no values, and where rounding makes the variance come out below 0.
  double getStdDev() const;

private:
  int32_t Count;
  double Sum;
  double SumOfSquares;
};
