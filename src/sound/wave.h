// An in-memory RIFF WAVE image (one sound effect from the archive) and what it holds.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/sound.h"

class CWave {
 public:
  CWave() = default;
  virtual ~CWave();
  CWave(const CWave&) = delete;
  CWave& operator=(const CWave&) = delete;

  // Keeps a copy; false (and no data) for an empty source.
  bool SetData(const unsigned char* source, std::uint32_t size);
  // The "fmt " chunk as a full wave format record; fields the chunk does not hold are 0.
  bool GetFormat(platform::WaveFormat* format) const;
  // Size of the "data" chunk, 0 when there is none; a chunk that claims more than the image
  // holds counts the whole frames that are there.
  std::uint32_t GetDataSize() const;
  // Copies the samples into *destination (allocated when empty, up to maximum otherwise).
  std::uint32_t ReadData(std::unique_ptr<unsigned char[]>* owned, unsigned char** destination,
                         std::uint32_t maximum) const;

 private:
  // The chunk's payload inside the image, cut to the image's end (*cut says so); false when
  // the image has no such chunk.
  bool FindChunk(const char id[4], std::uint32_t* offset, std::uint32_t* size, bool* cut = nullptr) const;
  // The samples: the "data" chunk, in whole frames when it was cut.
  bool FindData(std::uint32_t* offset, std::uint32_t* size) const;

  std::unique_ptr<unsigned char[]> data_;
  std::uint32_t size_ = 0;
  bool resource_ = false;  // the data would belong to a program resource; never set here
};
