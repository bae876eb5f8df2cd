// The music pieces as Ogg Vorbis, through the shared encoder.
#include "ogg_encoder.h"
#include "pack.h"

std::vector<unsigned char> EncodeOggVorbis(const MusicPiece& piece, int serial) {
  std::vector<float> interleaved(piece.samples.size());
  for (std::size_t i = 0; i < interleaved.size(); ++i) interleaved[i] = piece.samples[i] / 32768.0f;
  return EncodeOggVorbis(interleaved, 2, 44100, 0.45f, serial,
                         piece.loopEnd < 2000000 ? "Sorvani title" : "Sorvani play");
}
