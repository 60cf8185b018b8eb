// lomtak-stat replay FILE.stat: replays a statistics file keystroke by keystroke, by the rules of
// the statistics window, and prints per exercise its keystrokes, errors, speed, current speed,
// rhythm and total time, TAB-separated.

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/tstatlines.h"
#include "engine/tstatreplay.h"
#include "engine/ttaskstatistic.h"
#include "toolkit/exception.h"

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "replay") != 0) {
    std::fprintf(stderr, "usage: lomtak-stat replay FILE.stat\n");
    return 2;
  }
  TStatLines file(argv[2]);
  try {
    auto print = [](const TTaskStatistic& exercise) {
      std::printf("%d\t%d\t%d\t%d\t%.4f\t%" PRId64 "\n", exercise.getKeystrokes(),
                  exercise.getErrorCount(), exercise.getSpeed(), exercise.getCurrentSpeed(),
                  exercise.getRhythm(), exercise.getTotalTime());
    };
    if (!ReplayRun(file, print)) {
      std::fprintf(stderr, "lomtak-stat: %s: no run: the first line is not \"*\"\n", argv[2]);
      return 1;
    }
  } catch (const Exception& error) {
    const std::string where =
        file.Number() > 0 ? ": line " + std::to_string(file.Number()) : std::string();
    std::fprintf(stderr, "lomtak-stat: %s%s: %s\n", argv[2], where.c_str(), error.what());
    return 1;
  }
  return 0;
}
