// A small sequencer and a handful of instruments for the two music pieces.
#pragma once

#include <string>
#include <vector>

#include "pack.h"

enum class Instrument { kKoto, kFlute, kPad, kBass, kPulse, kKick, kSnare, kHat, kTaiko, kBell };

struct Note {
  double beat;    // from the loop start; the intro's notes are at negative beats
  double length;  // beats
  int midi;
  double velocity;
  Instrument instrument;
};

struct Arrangement {
  double framesPerBeat;
  long loopStart, loopEnd;  // frames; the loop region holds a whole number of bars
  std::vector<Note> loopNotes;   // beats 0 .. loop length; tails wrap round to the loop start
  std::vector<Note> introNotes;  // played once before the loop start
  double introFromTail = 0;      // 0..1: how much of the loop's last bars sound under the intro
  // The beat grid starts this far after the loop start, so the loop point itself falls between
  // two sixteenths instead of on a drum hit.
  double gridOffsetBeats = 0.125;
};

// Renders the piece so that the loop end runs on into the loop start without a seam.
MusicPiece RenderArrangement(const Arrangement& arrangement);

// Melody text: tokens "A4", "C#5:0.5", "-:2" (a rest); a length holds until the next one given.
// Adds the notes from beat on and returns the beat after the last one.
double AddMelody(std::vector<Note>* notes, double beat, const std::string& text, Instrument instrument,
                 double velocity, int transpose = 0);

struct Chord {
  int root;    // midi of the root in octave 3 or 4
  bool minor;
};
// "Dm", "Bb", "C", "A" ... rooted between C3 and B3.
Chord ParseChord(const std::string& name);
