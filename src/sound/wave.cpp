// The small RIFF reader for the effects' wave images: finds "fmt " and "data" in memory.
#include "sound/wave.h"

#include <algorithm>
#include <cstring>

namespace {

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

CWave::~CWave() = default;

bool CWave::SetData(const unsigned char* source, std::uint32_t size) {
  data_.reset();
  size_ = 0;
  if (!source || size == 0) return false;
  data_ = std::make_unique<unsigned char[]>(size);
  std::memcpy(data_.get(), source, size);
  size_ = size;
  resource_ = false;
  return true;
}

bool CWave::FindChunk(const char id[4], std::uint32_t* offset, std::uint32_t* size, bool* cut) const {
  if (!data_ || size_ < 12) return false;
  const unsigned char* bytes = data_.get();
  if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
  // The form ends where its size says or where the image does, whichever comes first.
  std::uint64_t end = std::min<std::uint64_t>(size_, static_cast<std::uint64_t>(Le32(bytes + 4)) + 8);
  std::uint64_t at = 12;
  while (at + 8 <= end) {
    std::uint32_t chunkSize = Le32(bytes + at + 4);
    if (std::memcmp(bytes + at, id, 4) == 0) {
      // A chunk that claims more than the image holds is taken as far as the image goes.
      const std::uint64_t held = size_ - (at + 8);
      *offset = static_cast<std::uint32_t>(at + 8);
      *size = chunkSize > held ? static_cast<std::uint32_t>(held) : chunkSize;
      if (cut) *cut = chunkSize > held;
      return true;
    }
    at += 8 + static_cast<std::uint64_t>(chunkSize) + (chunkSize & 1);  // chunks are word-aligned
  }
  return false;
}

bool CWave::FindData(std::uint32_t* offset, std::uint32_t* size) const {
  bool cut = false;
  if (!FindChunk("data", offset, size, &cut)) return false;
  // A buffer holds whole frames; the torn last one of a cut chunk is dropped.
  platform::WaveFormat format;
  if (cut && GetFormat(&format) && format.blockAlign > 0) *size -= *size % format.blockAlign;
  return true;
}

bool CWave::GetFormat(platform::WaveFormat* format) const {
  if (!format || !data_) return false;
  *format = platform::WaveFormat{};
  std::uint32_t offset = 0, size = 0;
  if (!FindChunk("fmt ", &offset, &size)) return false;
  // A plain PCM chunk holds 16 bytes, without the extra-size field: read what is there.
  unsigned char record[18] = {};
  std::memcpy(record, data_.get() + offset, size < sizeof record ? size : sizeof record);
  format->formatTag = Le16(record);
  format->channels = Le16(record + 2);
  format->samplesPerSec = Le32(record + 4);
  format->avgBytesPerSec = Le32(record + 8);
  format->blockAlign = Le16(record + 12);
  format->bitsPerSample = Le16(record + 14);
  format->extraSize = Le16(record + 16);
  return true;
}

std::uint32_t CWave::GetDataSize() const {
  std::uint32_t offset = 0, size = 0;
  return FindData(&offset, &size) ? size : 0;
}

std::uint32_t CWave::ReadData(std::unique_ptr<unsigned char[]>* owned, unsigned char** destination,
                              std::uint32_t maximum) const {
  std::uint32_t offset = 0, size = 0;
  if (!destination || !FindData(&offset, &size)) return 0;
  std::uint32_t n = size;
  if (!*destination) {
    if (!owned) return 0;
    *owned = std::make_unique<unsigned char[]>(n);
    *destination = owned->get();
  } else if (maximum < n) {
    n = maximum;
  }
  std::memcpy(*destination, data_.get() + offset, n);
  return n;
}
