// Sound fixtures made in the test: RIFF WAVE images, Ogg Vorbis files, masking, sample ramps.
#include "sound_fixtures.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "archive_writer.h"
#include "ogg_encoder.h"
#include "sound/sslib2/wave_reader.h"

namespace {

void Put32(Bytes* out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<unsigned char>(value >> (8 * i)));
}
void Put16(Bytes* out, std::uint16_t value) {
  out->push_back(static_cast<unsigned char>(value));
  out->push_back(static_cast<unsigned char>(value >> 8));
}
void PutId(Bytes* out, const char id[4]) { out->insert(out->end(), id, id + 4); }

}  // namespace

Bytes MakeChunk(const char id[4], std::uint32_t size) {
  Bytes chunk;
  PutId(&chunk, id);
  Put32(&chunk, size);
  for (std::uint32_t i = 0; i < size; ++i) chunk.push_back(static_cast<unsigned char>(0xA0 + i));
  return chunk;
}

Bytes MakeWav(const WavLayout& layout, const Bytes& samples) {
  Bytes body;
  PutId(&body, "WAVE");
  PutId(&body, "fmt ");
  Put32(&body, layout.fmtSize);
  const std::uint16_t blockAlign = static_cast<std::uint16_t>(layout.channels * layout.bits / 8);
  Put16(&body, layout.formatTag);
  Put16(&body, layout.channels);
  Put32(&body, layout.rate);
  Put32(&body, layout.rate * blockAlign);
  Put16(&body, blockAlign);
  Put16(&body, layout.bits);
  for (std::uint32_t i = 16; i < layout.fmtSize; ++i) body.push_back(0);
  body.insert(body.end(), layout.chunkBeforeData.begin(), layout.chunkBeforeData.end());
  if (layout.withData) {
    PutId(&body, "data");
    Put32(&body, static_cast<std::uint32_t>(samples.size()));
    body.insert(body.end(), samples.begin(), samples.end());
  }
  Bytes image;
  PutId(&image, "RIFF");
  Put32(&image, static_cast<std::uint32_t>(body.size()));
  image.insert(image.end(), body.begin(), body.end());
  return image;
}

Bytes RampFrames16Stereo(std::uint32_t frames, std::uint32_t first) {
  Bytes out;
  out.reserve(frames * 4);
  for (std::uint32_t i = first; i < first + frames; ++i) {
    Put16(&out, static_cast<std::uint16_t>(i * 7));
    Put16(&out, static_cast<std::uint16_t>(0x8000 + i * 3));
  }
  return out;
}

Bytes Masked(Bytes bytes) {
  sslib2::UnmaskMusicBytes(bytes.data(), bytes.size());
  return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes EncodeOgg(std::uint32_t rate, int channels, std::uint32_t frames) {
  std::vector<float> interleaved(static_cast<std::size_t>(frames) * channels);
  for (std::uint32_t i = 0; i < frames; ++i)
    for (int c = 0; c < channels; ++c)
      interleaved[i * channels + c] = 0.3f * std::sin(static_cast<float>(i) * (0.03f + 0.02f * c));
  return EncodeOggVorbis(interleaved, channels, static_cast<long>(rate), 0.4f, 1234, nullptr);
}

Bytes DecodeOgg(const std::string& path) {
  Bytes pcm;
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return pcm;
  char buffer[4096];
  for (;;) {
    long n = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, nullptr);
    if (n <= 0) break;
    pcm.insert(pcm.end(), buffer, buffer + n);
  }
  ov_clear(&file);
  return pcm;
}

Bytes EffectSamples(int id) { return RampFrames16Stereo(300 + 10 * id, 1000 * id); }

namespace {

// The thirteen effects, `replaced` as the named one's image (no image: that one is left out).
void WriteEffects(const std::string& name, const Bytes* replaced) {
  static const char* const kNames[] = {"WAV_MENU_SELECT", "WAV_MENU_DECIDE", "WAV_MENU_CANCEL", "WAV_KAIWA_NEXT",
                                       "WAV_WARP",        "WAV_RA",          "WAV_SHOT_1",      "WAV_SHOT_2",
                                       "WAV_ENEMY_DAMAGE", "WAV_ENEMY_HIT",  "WAV_GET_ITEM",    "WAV_DAMAGE",
                                       "WAV_HITITEM"};
  std::vector<ArchiveEntry> entries;
  for (int id = 0; id < 13; ++id) {
    if (name == kNames[id] && !replaced) continue;
    Bytes image = name == kNames[id] ? *replaced : MakeWav(WavLayout{}, EffectSamples(id));
    entries.push_back({kNames[id], image});
  }
  Bytes archive;
  std::string error;
  BuildArchive(entries, &archive, &error);
  WriteBytes("svdata02.dat", archive);
}

}  // namespace

void WriteEffectArchive(const std::string& leaveOut) { WriteEffects(leaveOut, nullptr); }

void WriteEffectArchive(const std::string& name, const Bytes& image) { WriteEffects(name, &image); }
