// Synthesises the four sound effects of the training screen as 16-bit mono PCM WAV files.
// Rebuild the shipped files with: build/tools/lomtak-sounds dist/Environment/Sounds

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;

using Samples = std::vector<double>;

// Adds wave(t) from startS on for lengthS seconds, faded in over 2 ms and out over the last
// 10 ms so that no part starts or stops with a click.
template <typename Wave>
void Add(Samples& out, double startS, double lengthS, Wave wave) {
  const size_t first = static_cast<size_t>(startS * kRate);
  const size_t count = static_cast<size_t>(lengthS * kRate);
  if (out.size() < first + count) out.resize(first + count, 0.0);
  for (size_t i = 0; i < count; ++i) {
    double t = static_cast<double>(i) / kRate;
    out[first + i] += std::min({1.0, t / 0.002, (lengthS - t) / 0.01}) * wave(t);
  }
}

double Sine(double hz, double t) { return std::sin(2 * std::numbers::pi * hz * t); }

// A sine partial that decays exponentially, as struck things do.
void AddTone(Samples& out, double startS, double lengthS, double hz, double gain, double decayS) {
  Add(out, startS, lengthS, [=](double t) { return gain * std::exp(-t / decayS) * Sine(hz, t); });
}

// A soft, reedy tone: odd harmonics falling off with the square of their number.
void AddReed(Samples& out, double startS, double lengthS, double hz, double gain) {
  Add(out, startS, lengthS, [=](double t) {
    double wave = 0;
    for (int harmonic = 1; harmonic <= 7; harmonic += 2)
      wave += Sine(hz * harmonic, t) / (harmonic * harmonic);
    return gain * wave;
  });
}

Samples Click() {
  Samples s;
  AddTone(s, 0, 0.035, 2200, 0.30, 0.006);
  AddTone(s, 0, 0.035, 4400, 0.08, 0.003);
  return s;
}

Samples Error() {
  Samples s;
  AddReed(s, 0.00, 0.11, 311.13, 0.30);  // E flat 4, then A 3: a falling tritone
  AddReed(s, 0.10, 0.16, 220.00, 0.30);
  return s;
}

Samples Metronome() {
  Samples s;  // a wood block: a low body and an inharmonic knock
  AddTone(s, 0, 0.09, 880, 0.45, 0.018);
  AddTone(s, 0, 0.09, 2380, 0.18, 0.008);
  return s;
}

Samples Success() {
  Samples s;  // C major arpeggio, bell-like
  const double notes[] = {523.25, 659.26, 783.99, 1046.50};
  for (int i = 0; i < 4; ++i) {
    AddTone(s, i * 0.07, 0.40, notes[i], 0.20, 0.12);
    AddTone(s, i * 0.07, 0.40, notes[i] * 2, 0.05, 0.05);
  }
  return s;
}

void PutLE(std::ofstream& file, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool WriteWav(const std::string& path, const Samples& samples) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  file.write("RIFF", 4);
  PutLE(file, 36 + dataBytes, 4);
  file.write("WAVEfmt ", 8);
  PutLE(file, 16, 4);  // format chunk size
  PutLE(file, 1, 2);   // PCM
  PutLE(file, 1, 2);   // mono
  PutLE(file, kRate, 4);
  PutLE(file, kRate * 2, 4);  // bytes per second
  PutLE(file, 2, 2);          // bytes per frame
  PutLE(file, 16, 2);         // bits per sample
  file.write("data", 4);
  PutLE(file, dataBytes, 4);
  for (double sample : samples) {
    double clipped = std::max(-1.0, std::min(1.0, sample));
    PutLE(file, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767))), 2);
  }
  // The last bytes reach the disk only at the close, and so may its failure.
  file.close();
  return !file.fail();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* name;
    Samples (*make)();
  } sounds[] = {{"Click.wav", Click},
                {"Error.wav", Error},
                {"Metronome.wav", Metronome},
                {"Success.wav", Success}};
  for (const auto& sound : sounds) {
    if (!WriteWav(folder + "/" + sound.name, sound.make())) {
      std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), sound.name);
      return 1;
    }
  }
  return 0;
}
