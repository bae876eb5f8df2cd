// A small sequencer and a handful of instruments for the two music pieces.
#include "music_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace {

constexpr double kRate = 44100;

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

double MidiHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// Attack, then full level until the note's end, then an exponential release.
double Gate(double t, double length, double attack, double release) {
  double level = t < attack ? t / attack : 1.0;
  if (t > length) level *= std::exp(-(t - length) / release);
  return level;
}

std::vector<float> Koto(double hz, double length, double velocity, std::uint32_t seed) {
  // Karplus-Strong: a plucked string with a slightly bright, slowly dying tone.
  int period = std::max(2, static_cast<int>(kRate / hz + 0.5));
  std::vector<double> line(period);
  Noise noise(seed);
  double previous = 0;
  for (double& v : line) {
    double n = noise.Next();
    v = 0.6 * n + 0.4 * previous;
    previous = v;
  }
  double seconds = std::min(3.0, length + 1.6);
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  std::size_t index = 0;
  for (int i = 0; i < frames; ++i) {
    std::size_t next = (index + 1) % line.size();
    double v = line[index];
    line[index] = 0.4985 * (v + line[next]);
    index = next;
    double t = i / kRate;
    double fade = t > seconds - 0.2 ? (seconds - t) / 0.2 : 1.0;
    out[i] = static_cast<float>(v * velocity * fade * std::min(1.0, t / 0.002));
  }
  return out;
}

std::vector<float> Flute(double hz, double length, double velocity, std::uint32_t seed) {
  double seconds = length + 0.5;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  Noise noise(seed);
  double phase = 0, breath = 0;
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate;
    double vibrato = 1 + 0.006 * std::min(1.0, std::max(0.0, (t - 0.25) / 0.3)) * std::sin(2 * M_PI * 5.2 * t);
    phase += hz * vibrato / kRate;
    double p = 2 * M_PI * phase;
    breath += 0.08 * (noise.Next() - breath);
    double tone = std::sin(p) + 0.22 * std::sin(2 * p) + 0.08 * std::sin(3 * p) + 0.5 * breath;
    double fade = t > seconds - 0.05 ? (seconds - t) / 0.05 : 1.0;
    out[i] = static_cast<float>(tone * velocity * Gate(t, length, 0.04, 0.09) * fade);
  }
  return out;
}

std::vector<float> Pulse(double hz, double length, double velocity, std::uint32_t) {
  double seconds = length + 0.3;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  double phase = 0, low = 0;
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate;
    double vibrato = 1 + 0.005 * std::min(1.0, std::max(0.0, (t - 0.2) / 0.2)) * std::sin(2 * M_PI * 6 * t);
    phase += hz * vibrato / kRate;
    double square = std::fmod(phase, 1.0) < 0.3 ? 1.0 : -0.43;
    low += 0.35 * (square - low);  // takes the edge off the aliasing
    double fade = t > seconds - 0.03 ? (seconds - t) / 0.03 : 1.0;
    out[i] = static_cast<float>(low * velocity * Gate(t, length, 0.008, 0.05) * fade * 0.6);
  }
  return out;
}

std::vector<float> Pad(double hz, double length, double velocity, std::uint32_t) {
  double seconds = length + 1.0;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  const double detune[3] = {1.0, 1.0035, 0.9965};
  double phases[3] = {0, 0.33, 0.67}, lowA = 0, lowB = 0;
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate;
    double saw = 0;
    for (int k = 0; k < 3; ++k) {
      phases[k] += hz * detune[k] / kRate;
      saw += 2 * (phases[k] - std::floor(phases[k])) - 1;
    }
    lowA += 0.06 * (saw - lowA);
    lowB += 0.06 * (lowA - lowB);
    double fade = t > seconds - 0.1 ? (seconds - t) / 0.1 : 1.0;
    out[i] = static_cast<float>(lowB * velocity * Gate(t, length, 0.35, 0.3) * fade * 0.5);
  }
  return out;
}

std::vector<float> Bass(double hz, double length, double velocity, std::uint32_t) {
  double seconds = length + 0.2;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  double phase = 0;
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate;
    phase += hz / kRate;
    double tri = 4 * std::fabs(phase - std::floor(phase) - 0.5) - 1;
    double tone = tri + 0.5 * std::sin(2 * M_PI * phase) + 0.15 * std::sin(4 * M_PI * phase) * std::exp(-t / 0.05);
    double body = 0.65 + 0.35 * std::exp(-t / 0.12);
    double fade = t > seconds - 0.02 ? (seconds - t) / 0.02 : 1.0;
    out[i] = static_cast<float>(tone * body * velocity * Gate(t, length, 0.004, 0.04) * fade);
  }
  return out;
}

std::vector<float> Bell(double hz, double length, double velocity, std::uint32_t) {
  double seconds = 2.0;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate;
    double modulator = 1.8 * std::exp(-t / 0.4) * std::sin(2 * M_PI * hz * 3.5 * t);
    double tone = std::sin(2 * M_PI * hz * t + modulator);
    double fade = t > seconds - 0.1 ? (seconds - t) / 0.1 : 1.0;
    out[i] = static_cast<float>(tone * velocity * std::exp(-t / 0.6) * std::min(1.0, t / 0.002) * fade);
  }
  return out;
}

std::vector<float> Drum(Instrument kind, double velocity, std::uint32_t seed) {
  Noise noise(seed);
  double seconds = kind == Instrument::kTaiko ? 0.7 : kind == Instrument::kHat ? 0.08 : 0.35;
  int frames = static_cast<int>(seconds * kRate);
  std::vector<float> out(frames);
  double phase = 0, low = 0, previous = 0;
  for (int i = 0; i < frames; ++i) {
    double t = i / kRate, v = 0;
    double n = noise.Next();
    switch (kind) {
      case Instrument::kKick:
        phase += (48 + 110 * std::exp(-t / 0.03)) / kRate;
        v = std::sin(2 * M_PI * phase) * std::exp(-t / 0.16) + 0.3 * n * std::exp(-t / 0.004);
        break;
      case Instrument::kSnare:
        phase += 190 / kRate;
        low += 0.5 * (n - low);
        v = 0.5 * std::sin(2 * M_PI * phase) * std::exp(-t / 0.05) + 0.8 * low * std::exp(-t / 0.09);
        break;
      case Instrument::kHat:
        v = (n - previous) * 0.6 * std::exp(-t / 0.018);
        previous = n;
        break;
      case Instrument::kTaiko:
        phase += (62 + 40 * std::exp(-t / 0.05)) / kRate;
        low += 0.05 * (n - low);
        v = std::sin(2 * M_PI * phase) * std::exp(-t / 0.28) + 1.5 * low * std::exp(-t / 0.04);
        break;
      default:
        break;
    }
    double fade = t > seconds - 0.02 ? (seconds - t) / 0.02 : 1.0;
    out[i] = static_cast<float>(v * velocity * fade);
  }
  return out;
}

std::vector<float> RenderNote(const Note& note, double secondsPerBeat, std::uint32_t seed) {
  double hz = MidiHz(note.midi), length = note.length * secondsPerBeat;
  switch (note.instrument) {
    case Instrument::kKoto: return Koto(hz, length, note.velocity, seed);
    case Instrument::kFlute: return Flute(hz, length, note.velocity, seed);
    case Instrument::kPad: return Pad(hz, length, note.velocity, seed);
    case Instrument::kBass: return Bass(hz, length, note.velocity, seed);
    case Instrument::kPulse: return Pulse(hz, length, note.velocity, seed);
    case Instrument::kBell: return Bell(hz, length, note.velocity, seed);
    default: return Drum(note.instrument, note.velocity, seed);
  }
}

// Left and right gains, and whether the note feeds the echo.
struct Placement {
  double left, right;
  bool echo;
};

Placement PlacementOf(const Note& note) {
  switch (note.instrument) {
    case Instrument::kKoto: return {0.55, 0.85, true};
    case Instrument::kFlute: return {0.8, 0.7, true};
    case Instrument::kPulse: return {0.75, 0.65, true};
    case Instrument::kBell: return {0.9, 0.5, true};
    case Instrument::kPad: return {0.7, 0.7, false};
    case Instrument::kHat: return {0.45, 0.75, false};
    case Instrument::kTaiko: return {0.8, 0.7, false};
    default: return {0.8, 0.8, false};
  }
}

// Stereo buffer of frames; Add wraps past the end when asked to (the loop is a circle).
struct Bus {
  explicit Bus(long frames) : left(frames), right(frames) {}
  std::vector<float> left, right;
  void Add(long start, const std::vector<float>& mono, double gainL, double gainR, bool wrap) {
    long size = static_cast<long>(left.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
      long at = start + static_cast<long>(i);
      if (wrap) {
        at %= size;
        if (at < 0) at += size;
      } else if (at < 0 || at >= size) {
        continue;
      }
      left[at] += static_cast<float>(mono[i] * gainL);
      right[at] += static_cast<float>(mono[i] * gainR);
    }
  }
};

void RenderNotes(const std::vector<Note>& notes, double framesPerBeat, double offset, bool wrap, Bus* dry, Bus* echo) {
  std::uint32_t seed = 1;
  for (const Note& note : notes) {
    std::vector<float> mono = RenderNote(note, framesPerBeat / kRate, seed++);
    Placement place = PlacementOf(note);
    long start = std::lround(offset + note.beat * framesPerBeat);
    dry->Add(start, mono, place.left, place.right, wrap);
    if (place.echo) echo->Add(start, mono, place.left, place.right, wrap);
  }
}

// A ping-pong echo, run twice round the circle so that its state at the loop start is the state
// the loop end leaves behind.
void CircularEcho(Bus* bus, long delay, double feedback, double mix) {
  long size = static_cast<long>(bus->left.size());
  std::vector<float> lineL(delay), lineR(delay);
  std::vector<float> outL(size), outR(size);
  long index = 0;
  for (int pass = 0; pass < 2; ++pass) {
    for (long i = 0; i < size; ++i) {
      float delayedL = lineL[index], delayedR = lineR[index];
      lineL[index] = static_cast<float>(bus->left[i] + delayedR * feedback);
      lineR[index] = static_cast<float>(delayedL * feedback);
      index = (index + 1) % delay;
      if (pass == 1) {
        outL[i] = static_cast<float>(delayedL * mix);
        outR[i] = static_cast<float>(delayedR * mix);
      }
    }
  }
  bus->left.swap(outL);
  bus->right.swap(outR);
}

// A small room: four damped combs and two all-passes per side (Schroeder's layout), run round the
// circle twice like the echo so the loop start hears the tail of the loop end.
void CircularReverb(Bus* bus, double wet) {
  const long size = static_cast<long>(bus->left.size());
  const int combs[4] = {1116, 1188, 1277, 1356}, allpasses[2] = {556, 441};
  for (int side = 0; side < 2; ++side) {
    std::vector<float>& signal = side == 0 ? bus->left : bus->right;
    const int spread = side * 23;
    std::vector<std::vector<float>> combLines, allLines;
    for (int d : combs) combLines.emplace_back(d + spread, 0.0f);
    for (int d : allpasses) allLines.emplace_back(d + spread, 0.0f);
    std::vector<long> combAt(4, 0), allAt(2, 0);
    std::vector<float> damp(4, 0.0f);
    std::vector<float> out(size);
    for (int pass = 0; pass < 2; ++pass) {
      for (long i = 0; i < size; ++i) {
        float input = signal[i] * 0.015f, sum = 0;
        for (int k = 0; k < 4; ++k) {
          std::vector<float>& line = combLines[k];
          float delayed = line[combAt[k]];
          damp[k] = delayed * 0.8f + damp[k] * 0.2f;
          line[combAt[k]] = input + damp[k] * 0.8f;
          combAt[k] = (combAt[k] + 1) % static_cast<long>(line.size());
          sum += delayed;
        }
        for (int k = 0; k < 2; ++k) {
          std::vector<float>& line = allLines[k];
          float delayed = line[allAt[k]];
          line[allAt[k]] = sum + delayed * 0.5f;
          sum = delayed - sum;
          allAt[k] = (allAt[k] + 1) % static_cast<long>(line.size());
        }
        // The combs gain about 0.3 on a steady input, so this makes wet the room's share.
        if (pass == 1) out[i] = static_cast<float>(signal[i] + sum * wet / 0.3);
      }
    }
    signal.swap(out);
  }
}

}  // namespace

MusicPiece RenderArrangement(const Arrangement& arrangement) {
  const long loopFrames = arrangement.loopEnd - arrangement.loopStart;
  Bus loop(loopFrames), loopEcho(loopFrames);
  const double grid = arrangement.gridOffsetBeats * arrangement.framesPerBeat;
  RenderNotes(arrangement.loopNotes, arrangement.framesPerBeat, grid, true, &loop, &loopEcho);
  CircularEcho(&loopEcho, std::lround(arrangement.framesPerBeat * 0.75), 0.35, 0.3);
  for (long i = 0; i < loopFrames; ++i) {  // the echo joins the dry sound before the room
    loop.left[i] += loopEcho.left[i];
    loop.right[i] += loopEcho.right[i];
  }
  CircularReverb(&loop, 0.22);

  // The intro is rendered on its own and must be silent by the loop start, so the loop region of
  // the file is exactly the circle above.
  Bus intro(arrangement.loopStart), introEcho(arrangement.loopStart);
  RenderNotes(arrangement.introNotes, arrangement.framesPerBeat, arrangement.loopStart + grid, false, &intro,
              &introEcho);

  long total = arrangement.loopEnd;
  std::vector<float> left(total), right(total);
  const long crossfade = std::min<long>(arrangement.loopStart, 8192);
  for (long t = 0; t < total; ++t) {
    long k = ((t - arrangement.loopStart) % loopFrames + loopFrames) % loopFrames;
    double loopL = loop.left[k], loopR = loop.right[k];
    if (t >= arrangement.loopStart) {
      left[t] = static_cast<float>(loopL);
      right[t] = static_cast<float>(loopR);
      continue;
    }
    // Before the loop start: the intro, the loop's tail faded in under it, and a short crossfade
    // into the tail so the first pass meets the loop start as smoothly as every later one.
    double x = t >= arrangement.loopStart - crossfade ? 1.0 - double(arrangement.loopStart - t) / crossfade : 0.0;
    double tail = arrangement.introFromTail * std::min(1.0, double(t) / std::max<long>(1, arrangement.loopStart - crossfade));
    double tailGain = std::max(tail, x);
    double introGain = 1.0 - x;
    left[t] = static_cast<float>(intro.left[t] * introGain + loopL * tailGain);
    right[t] = static_cast<float>(intro.right[t] * introGain + loopR * tailGain);
  }

  float peak = 1e-6f;
  for (long t = 0; t < total; ++t) peak = std::max({peak, std::fabs(left[t]), std::fabs(right[t])});
  double scale = 0.89 * 32767 / peak;
  MusicPiece piece;
  piece.loopStart = arrangement.loopStart;
  piece.loopEnd = arrangement.loopEnd;
  piece.samples.resize(2 * total);
  for (long t = 0; t < total; ++t) {
    piece.samples[2 * t] = static_cast<short>(std::lround(left[t] * scale));
    piece.samples[2 * t + 1] = static_cast<short>(std::lround(right[t] * scale));
  }
  return piece;
}

double AddMelody(std::vector<Note>* notes, double beat, const std::string& text, Instrument instrument,
                 double velocity, int transpose) {
  static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
  std::istringstream tokens(text);
  std::string token;
  double length = 1;
  while (tokens >> token) {
    std::size_t colon = token.find(':');
    if (colon != std::string::npos) length = std::atof(token.c_str() + colon + 1);
    std::string pitch = token.substr(0, colon);
    if (pitch != "-" && !pitch.empty()) {
      int semitone = kSemitone[pitch[0] - 'A'];
      std::size_t at = 1;
      if (at < pitch.size() && pitch[at] == '#') ++semitone, ++at;
      if (at < pitch.size() && pitch[at] == 'b') --semitone, ++at;
      int octave = std::atoi(pitch.c_str() + at);
      notes->push_back({beat, length * 0.95, 12 * (octave + 1) + semitone + transpose, velocity, instrument});
    }
    beat += length;
  }
  return beat;
}

Chord ParseChord(const std::string& name) {
  static const int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7};
  int root = 48 + kSemitone[name[0] - 'A'];
  std::size_t at = 1;
  if (at < name.size() && name[at] == '#') ++root, ++at;
  if (at < name.size() && name[at] == 'b') --root, ++at;
  bool minor = at < name.size() && name[at] == 'm';
  return {root, minor};
}
