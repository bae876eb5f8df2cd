// The thirteen sound effects, synthesised: short RIFF WAVE images, 44100 Hz, 16-bit mono.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "pack.h"

namespace {

constexpr int kRate = 44100;

// The effects' own noise source; fixed seeds keep every build identical.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

// One-pole low-pass, enough to colour noise.
struct LowPass {
  double y = 0;
  double Step(double x, double cutoffHz) {
    double a = 1 - std::exp(-2 * M_PI * cutoffHz / kRate);
    y += a * (x - y);
    return y;
  }
};

using Voice = std::function<double(double t, double seconds)>;

std::vector<double> Render(double seconds, const Voice& voice) {
  int frames = static_cast<int>(seconds * kRate);
  std::vector<double> out(frames);
  for (int i = 0; i < frames; ++i) out[i] = voice(static_cast<double>(i) / kRate, seconds);
  // A few milliseconds of fade at both ends keep every effect free of clicks.
  int ramp = std::min(frames / 4, kRate / 400);
  for (int i = 0; i < ramp; ++i) {
    out[i] *= static_cast<double>(i) / ramp;
    out[frames - 1 - i] *= static_cast<double>(i) / ramp;
  }
  return out;
}

double Envelope(double t, double attack, double decay) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

double Square(double phase) { return std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0; }
double Triangle(double phase) { return 4 * std::fabs(std::fmod(phase, 1.0) - 0.5) - 1; }

void PutU16(std::vector<unsigned char>* out, unsigned v) {
  out->push_back(v & 0xFF);
  out->push_back((v >> 8) & 0xFF);
}
void PutU32(std::vector<unsigned char>* out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}
void PutTag(std::vector<unsigned char>* out, const char* tag) { out->insert(out->end(), tag, tag + 4); }

std::vector<unsigned char> Wave(const std::vector<double>& signal, double gain) {
  double peak = 1e-9;
  for (double s : signal) peak = std::max(peak, std::fabs(s));
  double scale = gain * 32767 / peak;
  std::uint32_t dataBytes = static_cast<std::uint32_t>(signal.size() * 2);
  std::vector<unsigned char> out;
  PutTag(&out, "RIFF");
  PutU32(&out, 4 + 8 + 18 + 8 + dataBytes);
  PutTag(&out, "WAVE");
  PutTag(&out, "fmt ");
  PutU32(&out, 18);  // the full wave-format record, with its zero extra-size field
  PutU16(&out, 1);
  PutU16(&out, 1);
  PutU32(&out, kRate);
  PutU32(&out, kRate * 2);
  PutU16(&out, 2);
  PutU16(&out, 16);
  PutU16(&out, 0);
  PutTag(&out, "data");
  PutU32(&out, dataBytes);
  for (double s : signal) PutU16(&out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(s * scale))));
  return out;
}

// Frequency sweeps keep their phase continuous by integrating the frequency.
struct Sweep {
  double phase = 0;
  double Step(double hz) {
    phase += hz / kRate;
    return phase;
  }
};

std::vector<unsigned char> MenuSelect() {
  Sweep osc;
  return Wave(Render(0.07, [&](double t, double) {
                double hz = t < 0.03 ? 988 : 1319;
                return Square(osc.Step(hz)) * 0.5 * Envelope(t, 0.002, 0.03);
              }),
              0.5);
}

std::vector<unsigned char> MenuDecide() {
  // A small shrine bell: two inharmonic partials over a bright fundamental.
  return Wave(Render(0.45, [](double t, double) {
                double bell = std::sin(2 * M_PI * 1047 * t) + 0.6 * std::sin(2 * M_PI * 1568 * t + 1) +
                              0.35 * std::sin(2 * M_PI * 2794 * t) * std::exp(-t / 0.05);
                double second = t > 0.06 ? std::sin(2 * M_PI * 1568 * (t - 0.06)) * Envelope(t - 0.06, 0.002, 0.15) : 0;
                return bell * Envelope(t, 0.002, 0.12) + 0.8 * second;
              }),
              0.6);
}

std::vector<unsigned char> MenuCancel() {
  Sweep osc;
  return Wave(Render(0.16, [&](double t, double s) {
                double hz = 660 * std::pow(0.5, t / s);
                return Triangle(osc.Step(hz)) * Envelope(t, 0.003, 0.07);
              }),
              0.55);
}

std::vector<unsigned char> PageTurn() {
  Noise noise(0x7A6E01);
  LowPass lowA, lowB;
  return Wave(Render(0.28, [&](double t, double s) {
                double n = noise.Next();
                double cutoff = 1500 + 5000 * (t / s);
                double band = lowA.Step(n, cutoff) - lowB.Step(n, cutoff / 4);
                double shape = std::sin(M_PI * t / s);
                return band * shape * shape;
              }),
              0.5);
}

std::vector<unsigned char> Warp() {
  Sweep osc, sub;
  Noise noise(0x3A3A77);
  LowPass shimmer;
  return Wave(Render(0.9, [&](double t, double s) {
                double rise = t / s;
                double hz = 180 * std::pow(14.0, rise) * (1 + 0.02 * std::sin(2 * M_PI * 18 * t));
                double tone = std::sin(2 * M_PI * osc.Step(hz)) + 0.4 * Square(sub.Step(hz / 2));
                double air = shimmer.Step(noise.Next(), 2000 + 6000 * rise) * 2;
                double amp = std::min(1.0, t / 0.05) * (1 - rise * rise);
                return (tone * 0.6 + air * 0.4) * amp;
              }),
              0.55);
}

std::vector<unsigned char> Tick() {
  // A wood block: a short high knock with a lower body.
  return Wave(Render(0.06, [](double t, double) {
                return (std::sin(2 * M_PI * 2100 * t) * 0.7 + std::sin(2 * M_PI * 870 * t)) * std::exp(-t / 0.012);
              }),
              0.6);
}

std::vector<unsigned char> ShotOne() {
  Sweep osc;
  Noise noise(0x51E0);
  return Wave(Render(0.09, [&](double t, double s) {
                double hz = 1500 * std::pow(0.35, t / s);
                return (Square(osc.Step(hz)) * 0.6 + noise.Next() * 0.25) * Envelope(t, 0.001, 0.03);
              }),
              0.45);
}

std::vector<unsigned char> ShotTwo() {
  // The piercing beam: a heavy saw drop over a thump and a hiss.
  Sweep saw;
  Noise noise(0x5E02);
  LowPass hiss;
  return Wave(Render(0.32, [&](double t, double s) {
                double hz = 900 * std::pow(0.2, t / s);
                double p = saw.Step(hz);
                double body = (2 * (p - std::floor(p)) - 1) * Envelope(t, 0.002, 0.09);
                double thump = std::sin(2 * M_PI * (90 - 60 * t / s) * t) * Envelope(t, 0.001, 0.06);
                double air = hiss.Step(noise.Next(), 5000) * Envelope(t, 0.001, 0.05);
                return body * 0.5 + thump * 0.8 + air * 0.6;
              }),
              0.6);
}

std::vector<unsigned char> Explosion(std::uint32_t seed, double seconds, double cutoff) {
  Noise noise(seed);
  LowPass low, lower;
  return Wave(Render(seconds, [&](double t, double s) {
                double n = noise.Next();
                double rumble = lower.Step(low.Step(n, cutoff * (1 - 0.7 * t / s)), cutoff);
                double boom = std::sin(2 * M_PI * (70 - 40 * t / s) * t);
                return (rumble * 3 + boom * 0.6) * Envelope(t, 0.003, s / 4);
              }),
              0.7);
}

std::vector<unsigned char> EnemyHit() {
  // A metallic clank for shots that land on a boss.
  Noise noise(0xC1A7);
  return Wave(Render(0.08, [&](double t, double) {
                double ring = std::sin(2 * M_PI * 1800 * t) + 0.7 * std::sin(2 * M_PI * 2630 * t) +
                              0.5 * std::sin(2 * M_PI * 3710 * t);
                return (ring * 0.5 + noise.Next() * 0.3) * Envelope(t, 0.0005, 0.02);
              }),
              0.45);
}

std::vector<unsigned char> GetItem() {
  // A rising three-note sparkle (E6 G#6 B6, then E7).
  const double notes[] = {1319, 1661, 1976, 2637};
  return Wave(Render(0.42, [&](double t, double) {
                double sum = 0;
                for (int i = 0; i < 4; ++i) {
                  double start = i * 0.06;
                  if (t < start) break;
                  double u = t - start;
                  sum += (std::sin(2 * M_PI * notes[i] * u) + 0.3 * std::sin(4 * M_PI * notes[i] * u)) *
                         Envelope(u, 0.002, 0.09);
                }
                return sum;
              }),
              0.55);
}

std::vector<unsigned char> PlayerDamage() {
  Sweep a, b;
  Noise noise(0xDA3A);
  return Wave(Render(0.55, [&](double t, double s) {
                double hz = 420 * std::pow(0.3, t / s);
                double buzz = Square(a.Step(hz)) * 0.5 + Square(b.Step(hz * 1.51)) * 0.35;
                return (buzz + noise.Next() * 0.3 * std::exp(-t / 0.05)) * Envelope(t, 0.002, 0.18);
              }),
              0.6);
}

std::vector<unsigned char> HitItem() {
  // A glassy ping: the capsule loses a second.
  return Wave(Render(0.16, [](double t, double) {
                return (std::sin(2 * M_PI * 2349 * t) + 0.4 * std::sin(2 * M_PI * 3520 * t)) * Envelope(t, 0.001, 0.04);
              }),
              0.5);
}

}  // namespace

std::vector<NamedBlob> MakeSoundEffects() {
  return {
      {"WAV_MENU_SELECT", MenuSelect()},
      {"WAV_MENU_DECIDE", MenuDecide()},
      {"WAV_MENU_CANCEL", MenuCancel()},
      {"WAV_KAIWA_NEXT", PageTurn()},
      {"WAV_WARP", Warp()},
      {"WAV_RA", Tick()},
      {"WAV_SHOT_1", ShotOne()},
      {"WAV_SHOT_2", ShotTwo()},
      {"WAV_ENEMY_DAMAGE", Explosion(0xE0E0D0, 0.55, 1800)},
      {"WAV_ENEMY_HIT", EnemyHit()},
      {"WAV_GET_ITEM", GetItem()},
      {"WAV_DAMAGE", PlayerDamage()},
      {"WAV_HITITEM", HitItem()},
  };
}
