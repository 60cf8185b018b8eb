// lomtak-stat replay FILE.stat: replays a statistics file keystroke by keystroke and prints, per
// exercise, its keystrokes, errors, speed, current speed, rhythm and total time, TAB-separated.

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/tstatreplay.h"
#include "engine/ttaskstatistic.h"
#include "toolkit/fileio.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "replay") != 0) {
    std::fprintf(stderr, "usage: lomtak-stat replay FILE.stat\n");
    return 2;
  }
  std::string text, error;
  if (!ReadFileBytes(argv[2], text, &error)) {
    std::fprintf(stderr, "lomtak-stat: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  TTaskStatistic statistic;
  auto print = [](const TTaskStatistic& exercise) {
    std::printf("%d\t%d\t%d\t%d\t%.4f\t%d\n", exercise.getKeystrokes(), exercise.getErrorCount(),
                exercise.getSpeed(), exercise.getCurrentSpeed(), exercise.getRhythm(),
                exercise.getTotalTime());
  };
  if (!ReplayStatistic(text, statistic, print, error)) {
    std::fprintf(stderr, "lomtak-stat: %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  return 0;
}
