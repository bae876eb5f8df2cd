// Reader for the ".m" music files: unmasks the RIFF header, finds the data, hands out samples.
#include "sound/sslib2/plain_wav_file_reader.h"

#include <cstring>

namespace sslib2 {
namespace {

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool ReadMasked(std::FILE* file, unsigned char* bytes, std::size_t count) {
  if (std::fread(bytes, 1, count, file) != count) return false;
  UnmaskMusicBytes(bytes, count);
  return true;
}

}  // namespace

CPlainWavFileReader::~CPlainWavFileReader() { Close(); }

bool CPlainWavFileReader::Open(const char* fileName) {
  file_ = fileName ? std::fopen(fileName, "rb") : nullptr;
  if (!file_) return false;
  if (ReadHeader()) return true;
  Close();
  return false;
}

bool CPlainWavFileReader::ReadHeader() {
  if (std::fseek(file_, 0, SEEK_END) != 0) return false;
  long end = std::ftell(file_);
  if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
  const auto fileSize = static_cast<std::uint64_t>(end);

  unsigned char header[20];
  if (!ReadMasked(file_, header, sizeof header)) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0 ||
      std::memcmp(header + 12, "fmt ", 4) != 0)
    return false;
  const std::uint64_t riffEnd = static_cast<std::uint64_t>(Le32(header + 4)) + 8;
  const std::uint32_t fmtSize = Le32(header + 16);
  if (fmtSize < sizeof(PcmWaveFormat)) return false;

  unsigned char format[16];
  if (!ReadMasked(file_, format, sizeof format)) return false;
  std::memcpy(&format_, format, sizeof format);
  if (format_.formatTag != 1 || format_.blockAlign == 0) return false;

  // Offsets are 64-bit and a chunk header must lie inside the file: a damaged size can neither
  // wrap the walk round nor send it outside the file.
  std::uint64_t offset = 20 + static_cast<std::uint64_t>(fmtSize);
  while (offset < riffEnd) {
    if (offset + 8 > fileSize) return false;
    unsigned char chunk[8];
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 || !ReadMasked(file_, chunk, sizeof chunk))
      return false;
    const std::uint32_t chunkSize = Le32(chunk + 4);
    if (std::memcmp(chunk, "data", 4) == 0) {
      // A file written as a stream claims more than it holds (0xFFFFFFFF, 0x7FFFFFFF): the
      // piece is the whole frames that are there.
      const std::uint64_t held = fileSize - (offset + 8);
      dataOffset_ = static_cast<std::uint32_t>(offset + 8);
      dataSize_ = chunkSize > held ? static_cast<std::uint32_t>(held - held % format_.blockAlign) : chunkSize;
      remaining_ = dataSize_;
      return true;
    }
    offset += static_cast<std::uint64_t>(chunkSize) + 8;  // no pad byte after odd sizes
  }
  return false;
}

void CPlainWavFileReader::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

bool CPlainWavFileReader::Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  if (!file_) return false;
  std::uint32_t wanted = bytes < remaining_ ? bytes : remaining_;
  auto got = static_cast<std::uint32_t>(std::fread(destination, 1, wanted, file_));
  remaining_ -= got;
  UnmaskMusicBytes(static_cast<unsigned char*>(destination), got);
  if (bytesRead) *bytesRead = got;
  return true;
}

bool CPlainWavFileReader::Seek(std::uint32_t frame) {
  if (!file_) return false;
  std::uint64_t bytes = static_cast<std::uint64_t>(frame) * format_.blockAlign;
  if (bytes > dataSize_) return false;
  if (std::fseek(file_, static_cast<long>(dataOffset_ + bytes), SEEK_SET) != 0) return false;
  remaining_ = dataSize_ - static_cast<std::uint32_t>(bytes);
  return true;
}

std::uint32_t CPlainWavFileReader::Tell() {
  return format_.blockAlign ? (dataSize_ - remaining_) / format_.blockAlign : 0;
}

std::uint32_t CPlainWavFileReader::GetLength() { return format_.blockAlign ? dataSize_ / format_.blockAlign : 0; }

}  // namespace sslib2
