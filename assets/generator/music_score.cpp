// The two pieces: a calm title theme and a driving play theme, both in A/D minor with a
// pentatonic lead, written so that their loop regions hold whole bars.
#include <sstream>

#include "music_synth.h"

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  for (std::string word; in >> word;) out.push_back(word);
  return out;
}

// Triad notes of a chord, from its root upwards, shifted by octaves.
int ChordTone(const Chord& chord, int index, int octave) {
  static const int kMajor[3] = {0, 4, 7}, kMinor[3] = {0, 3, 7};
  int step = index % 3, lift = index / 3;
  return chord.root + (chord.minor ? kMinor[step] : kMajor[step]) + 12 * (lift + octave);
}

void Drums(std::vector<Note>* notes, double bar, const std::string& pattern, Instrument instrument, double velocity) {
  // One character per sixteenth: 'x' loud, 'o' soft, anything else rest.
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == 'x' || pattern[i] == 'o')
      notes->push_back({bar * 4 + i * 0.25, 0.25, 60, pattern[i] == 'x' ? velocity : velocity * 0.45, instrument});
  }
}

}  // namespace

MusicPiece ComposeTitleMusic() {
  // 16 bars of 4/4 at 22148 frames a beat (about 119 bpm) fill the title loop exactly.
  Arrangement song;
  song.framesPerBeat = 22148;
  song.loopStart = 35584;
  song.loopEnd = 1453056;
  song.introFromTail = 1;  // the last beat and a half of the loop fades in as the pickup
  const std::vector<std::string> chords =
      Split("Am F G Em  Am F G E  F G Em Am  Dm G C E");
  const char* melody =
      "E5:1.5 D5:0.5 C5:1 A4:1  C5:1.5 D5:0.5 E5:2  D5:1 B4:1 G4:1 A4:0.5 B4:0.5  B4:3 -:1 "
      "E5:1.5 G5:0.5 A5:1 G5:0.5 E5:0.5  F5:1.5 E5:0.5 C5:2  D5:1 E5:0.5 D5:0.5 B4:1 G4:1  G#4:2 B4:1 E5:1 "
      "A5:1.5 G5:0.5 F5:1 E5:1  D5:1.5 E5:0.5 G5:2  E5:1 D5:1 B4:1 G4:1  A4:3 -:1 "
      "F5:1 E5:0.5 D5:0.5 A4:2  B4:1 C5:0.5 D5:0.5 G5:2  E5:1.5 D5:0.5 C5:1 E5:1  B4:2 G#4:1 -:1";
  AddMelody(&song.loopNotes, 0, melody, Instrument::kFlute, 0.32);
  static const int kArpeggio[8] = {0, 2, 3, 4, 5, 4, 3, 2};
  for (std::size_t bar = 0; bar < chords.size(); ++bar) {
    Chord chord = ParseChord(chords[bar]);
    double start = bar * 4.0;
    for (int i = 0; i < 8; ++i)
      song.loopNotes.push_back({start + i * 0.5, 0.5, ChordTone(chord, kArpeggio[i], 0), i % 2 ? 0.22 : 0.3,
                                Instrument::kKoto});
    for (int k = 0; k < 3; ++k) song.loopNotes.push_back({start, 3.8, ChordTone(chord, k, 0), 0.1, Instrument::kPad});
    song.loopNotes.push_back({start, 1.9, chord.root - 12, 0.38, Instrument::kBass});
    song.loopNotes.push_back({start + 2, 1.4, chord.root - 12, 0.3, Instrument::kBass});
    song.loopNotes.push_back({start + 3.5, 0.45, ChordTone(chord, 2, -1), 0.28, Instrument::kBass});
    Drums(&song.loopNotes, bar, "x.......o..o....", Instrument::kTaiko, 0.5);
    Drums(&song.loopNotes, bar, "..o...o...o...oo", Instrument::kHat, 0.3);
    if (bar % 4 == 3) song.loopNotes.push_back({start + 3, 1, 88, 0.12, Instrument::kBell});
  }
  return RenderArrangement(song);
}

MusicPiece ComposePlayMusic() {
  // 49 bars at 20992 frames a beat (126 bpm) fill the play loop exactly: six eight-bar sections
  // and one bar of fill that leads back to the top.
  Arrangement song;
  song.framesPerBeat = 20992;
  song.loopStart = 344064;
  song.loopEnd = 4458496;
  const std::string sectionA = "Dm Bb C Am Dm Bb C Am";
  const std::string sectionB = "Gm Dm Bb C Gm Dm Bb A";
  const std::string sectionC = "Dm F C Gm Dm F C A";
  const std::string sectionD = "Bb C Am Dm Bb C Gm A";
  const std::vector<std::string> chords =
      Split(sectionA + " " + sectionB + " " + sectionC + " " + sectionA + " " + sectionD + " " + sectionB + " A");
  const char* melodyA =
      "D5:0.5 F5:0.5 A5:1 G5:0.5 F5:0.5 E5:0.5 F5:0.5  D5:1.5 C5:0.5 D5:1 F5:1 "
      "E5:0.5 G5:0.5 C6:1 Bb5:0.5 A5:0.5 G5:0.5 E5:0.5  A5:3 -:1 "
      "D5:0.5 F5:0.5 A5:1 G5:0.5 F5:0.5 A5:0.5 C6:0.5  D6:1.5 C6:0.5 Bb5:1 A5:1 "
      "G5:0.5 A5:0.5 Bb5:1 A5:0.5 G5:0.5 E5:0.5 C5:0.5  A5:2 -:2";
  const char* melodyB =
      "G5:1 Bb5:1 D6:1.5 C6:0.5  A5:2 F5:1 D5:1  F5:1 G5:0.5 A5:0.5 Bb5:1 D6:1  C6:3 -:1 "
      "G5:1 Bb5:1 D6:1 F6:1  E6:1.5 D6:0.5 A5:2  Bb5:1 A5:0.5 G5:0.5 F5:1 D5:1  E5:2 C#5:1 A4:1";
  const char* melodyC =
      "A5:1.5 G5:0.5 A5:1 D6:1  C6:1 A5:1 G5:1 F5:1  G5:2 E5:1 C5:1  D5:3 -:1 "
      "A5:1.5 C6:0.5 D6:1 F6:1  E6:0.5 D6:0.5 C6:1 A5:2  G5:1 A5:0.5 G5:0.5 E5:1 C5:1  A5:2 E5:2";
  const char* melodyD = "F5:2 D5:2  E5:2 G5:2  C5:2 E5:2  D5:4  F5:2 Bb5:2  A5:2 G5:2  Bb5:2 A5:1 G5:1  A5:4";
  AddMelody(&song.loopNotes, 0, melodyA, Instrument::kPulse, 0.3);
  AddMelody(&song.loopNotes, 32, melodyB, Instrument::kPulse, 0.3);
  AddMelody(&song.loopNotes, 64, melodyC, Instrument::kFlute, 0.34);
  AddMelody(&song.loopNotes, 64, melodyC, Instrument::kKoto, 0.18, -12);
  AddMelody(&song.loopNotes, 96, melodyA, Instrument::kPulse, 0.26);
  AddMelody(&song.loopNotes, 96, melodyA, Instrument::kFlute, 0.2, 12);
  AddMelody(&song.loopNotes, 128, melodyD, Instrument::kKoto, 0.4);
  AddMelody(&song.loopNotes, 128, melodyD, Instrument::kBell, 0.08, 12);
  AddMelody(&song.loopNotes, 160, melodyB, Instrument::kPulse, 0.3);
  AddMelody(&song.loopNotes, 160, melodyB, Instrument::kKoto, 0.16, -12);

  for (std::size_t bar = 0; bar < chords.size(); ++bar) {
    Chord chord = ParseChord(chords[bar]);
    double start = bar * 4.0;
    bool bridge = bar >= 32 && bar < 40, fill = bar == 48;
    for (int k = 0; k < 3; ++k)
      song.loopNotes.push_back({start, 3.9, ChordTone(chord, k, 0), bridge ? 0.14 : 0.08, Instrument::kPad});
    if (bridge) {
      song.loopNotes.push_back({start, 3.8, chord.root - 12, 0.4, Instrument::kBass});
      for (int i = 0; i < 4; ++i)
        song.loopNotes.push_back({start + i + 0.5, 0.5, ChordTone(chord, i % 3 + 3, 0), 0.14, Instrument::kKoto});
      Drums(&song.loopNotes, bar, "x.......x.......", Instrument::kKick, 0.6);
      Drums(&song.loopNotes, bar, bar % 2 ? "x.....x.x...x.o." : "x.......x.....o.", Instrument::kTaiko, 0.35);
      continue;
    }
    // Driving eighth-note bass: root, root, octave, root ... with the fifth at the end of the bar.
    static const int kBassLine[8] = {0, 0, 12, 0, 0, 12, 7, 10};
    for (int i = 0; i < 8; ++i) {
      int offset = kBassLine[i] == 10 ? (chord.minor ? 10 : 11) : kBassLine[i];
      if (fill) offset = 2 * i;  // climbs back to the top
      song.loopNotes.push_back({start + i * 0.5, 0.42, chord.root - 12 + offset, i % 2 ? 0.32 : 0.42, Instrument::kBass});
    }
    if (fill) {
      Drums(&song.loopNotes, bar, "x...x...x.x.xxxx", Instrument::kSnare, 0.5);
      Drums(&song.loopNotes, bar, "x.x.x.x.x.x.x.x.", Instrument::kTaiko, 0.5);
      Drums(&song.loopNotes, bar, "x.......x.......", Instrument::kKick, 0.8);
      continue;
    }
    Drums(&song.loopNotes, bar, bar % 4 == 3 ? "x.....x.x.x....." : "x.....x.x.......", Instrument::kKick, 0.8);
    Drums(&song.loopNotes, bar, bar % 8 == 7 ? "....x.......x.xx" : "....x.......x...", Instrument::kSnare, 0.55);
    Drums(&song.loopNotes, bar, "o.x.o.x.o.x.o.xo", Instrument::kHat, 0.35);
    if (bar % 8 == 0) song.loopNotes.push_back({start, 1, 60, 0.6, Instrument::kTaiko});
    if (bar >= 16 && bar < 24) {  // koto arpeggio under the flute section
      static const int kArpeggio[8] = {3, 4, 5, 4, 3, 4, 5, 6};
      for (int i = 0; i < 8; ++i)
        song.loopNotes.push_back({start + i * 0.5, 0.5, ChordTone(chord, kArpeggio[i], -1), 0.12, Instrument::kKoto});
    }
  }

  // The intro: four bars of taiko and a held A that build up to the first downbeat.
  const double introBeats = 16;
  for (int bar = 0; bar < 4; ++bar) {
    double start = -introBeats + bar * 4;
    Drums(&song.introNotes, start / 4, bar < 2 ? "x.......x......." : "x...x...x...x.x.", Instrument::kTaiko,
          0.35 + 0.08 * bar);
    song.introNotes.push_back({start, 3.9, 45, 0.3 + 0.03 * bar, Instrument::kBass});
    for (int k = 0; k < 3; ++k)
      song.introNotes.push_back({start, 3.9, ChordTone(ParseChord(bar % 2 ? "A" : "Dm"), k, 0), 0.08 + 0.02 * bar,
                                 Instrument::kPad});
  }
  Drums(&song.introNotes, -1, "x.x.x.x.xxxxxxxx", Instrument::kSnare, 0.4);
  return RenderArrangement(song);
}
