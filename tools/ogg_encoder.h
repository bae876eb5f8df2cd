// Ogg Vorbis encoding with libvorbisenc, for the data pack's music and for test and benchmark
// fixtures; a fixed serial number keeps the bytes the same on every run.
#pragma once

#include <vector>

// Interleaved samples in -1..1; empty when the encoder refuses the format. `title` may be null.
std::vector<unsigned char> EncodeOggVorbis(const std::vector<float>& interleaved, int channels, long rate,
                                           float quality, int serial, const char* title);
