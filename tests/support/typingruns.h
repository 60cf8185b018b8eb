#pragma once
// Writes statistics files as a typist's training would leave them, through the statistic's own
// writer: one run a day (some days skipped) over the days given, each of lines of words typed
// with intervals that scatter around a mean which falls as the weeks go by, more errors early
// on, a slower key after each error, a pause now and then and, rarely, an interrupted key.
// Seeded, so the same call writes the same files.

#include <cmath>
#include <random>
#include <string>

#include "engine/ttaskstatistic.h"
#include "toolkit/datetime.h"

struct TypingRuns {
  int Days = 90;
  // The share of days without a run.
  double SkippedDays = 0.15;
  // Lines of one run, and characters a line.
  int LinesPerRun = 30;
  int CharactersPerLine = 65;
  TDateTime FirstDay = EncodeDateTime({2026, 6, 1, 0, 0, 0, 0});
  unsigned Seed = 1;

  // Writes the runs into the folder; answers the number of files.
  int Write(const std::string& folder) const {
    std::mt19937 random(Seed);
    std::uniform_real_distribution<double> unit(0, 1);
    static const char* const words[] = {
        "the",     "of",      "and",     "to",     "in",       "that",  "with",  "for",
        "have",    "about",   "which",   "their",  "would",    "there", "could", "people",
        "through", "between", "because", "typing", "practice", "keys"};
    int files = 0;
    for (int day = 0; day < Days; ++day) {
      if (unit(random) < SkippedDays) continue;
      // Practice shows: the mean interval falls from about 420 ms toward 190 ms, errors from
      // one key in sixteen to one in fifty.
      const double progress = 1 - std::exp(-day / 35.0);
      const double mean = 420 - 230 * progress;
      const double errorRate = 0.06 - 0.04 * progress;
      TTaskStatistic statistic;
      statistic.Folder = folder;
      statistic.StartTime = FirstDay + day + (17 + 4 * unit(random)) / 24.0;
      for (int line = 0; line < LinesPerRun; ++line) {
        statistic.Reset();
        std::string text;
        while (static_cast<int>(text.size()) < CharactersPerLine)
          text += std::string(words[random() % std::size(words)]) + " ";
        text.resize(CharactersPerLine);
        int32_t time = statistic.LastTime;
        for (size_t i = 0; i < text.size(); ++i) {
          const unsigned char expected = static_cast<unsigned char>(text[i]);
          std::lognormal_distribution<double> spread(std::log(mean), 0.35);
          double interval = spread(random) + (expected == ' ' ? 60 : 0);
          if (unit(random) < 0.004) interval += 2000 + 6000 * unit(random);
          const bool interrupted = i == 0 && unit(random) < 0.03;
          if (interrupted) interval += 200000;
          time += static_cast<int32_t>(interval);
          // A wrong key is followed by the right one, a little later.
          if (unit(random) < errorRate) {
            statistic.AddKeystroke(time, expected, static_cast<unsigned char>('a' + random() % 26),
                                   interrupted);
            time += static_cast<int32_t>(spread(random) + 350);
            statistic.AddKeystroke(time, expected, expected, false);
          } else {
            statistic.AddKeystroke(time, expected, expected, interrupted);
          }
        }
      }
      statistic.Save();
      ++files;
    }
    return files;
  }
};
