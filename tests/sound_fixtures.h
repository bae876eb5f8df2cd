// Sound fixtures made in the test: RIFF WAVE images, Ogg Vorbis files, masking, sample ramps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct WavLayout {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 2;
  std::uint32_t rate = 44100;
  std::uint16_t bits = 16;
  std::uint32_t fmtSize = 16;       // 16 or 18
  bool withData = true;
  Bytes chunkBeforeData;            // raw bytes of an extra chunk ("LIST", odd size...) before "data"
};

// A whole RIFF WAVE image holding the samples.
Bytes MakeWav(const WavLayout& layout, const Bytes& samples);
// An extra chunk with the given id and payload size (no pad byte).
Bytes MakeChunk(const char id[4], std::uint32_t size);
// Distinct 16-bit stereo frames: frame i holds (i, -i) wrapped into 16 bits, so any mix-up shows.
Bytes RampFrames16Stereo(std::uint32_t frames, std::uint32_t first = 0);
Bytes Masked(Bytes bytes);
void WriteBytes(const std::string& path, const Bytes& bytes);
// Encodes a tone of `frames` frames with libvorbisenc; the bytes of an ordinary .ogg file.
Bytes EncodeOgg(std::uint32_t rate, int channels, std::uint32_t frames);
// Decodes a (plain) Ogg file to 16-bit PCM with vorbisfile, for comparisons.
Bytes DecodeOgg(const std::string& path);

// The samples of effect `id` in the archive that WriteEffectArchive writes.
Bytes EffectSamples(int id);
// "svdata02.dat" with the thirteen effects (16-bit stereo 44100 Hz, 16-byte "fmt " chunks), all
// but the one named `leaveOut`.
void WriteEffectArchive(const std::string& leaveOut = "");
// The same archive with `image` as the named effect's entry.
void WriteEffectArchive(const std::string& name, const Bytes& image);
