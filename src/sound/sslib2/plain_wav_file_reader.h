// Reader for the ".m" music files: masked RIFF WAVE with PCM samples.
#pragma once

#include <cstdio>

#include "sound/sslib2/wave_reader.h"

namespace sslib2 {

class CPlainWavFileReader : public CWaveReader {
 public:
  CPlainWavFileReader() = default;
  ~CPlainWavFileReader() override;
  CPlainWavFileReader(const CPlainWavFileReader&) = delete;
  CPlainWavFileReader& operator=(const CPlainWavFileReader&) = delete;

  // Does not check whether a file is still open; callers close first.
  bool Open(const char* fileName);

  void Close() override;
  bool IsOpen() override { return file_ != nullptr; }
  bool Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) override;
  bool Seek(std::uint32_t frame) override;
  std::uint32_t Tell() override;
  bool IsEnd() override { return file_ != nullptr && remaining_ == 0; }
  void GetFormat(PcmWaveFormat* format) override { *format = format_; }
  std::uint32_t GetLength() override;
  std::uint32_t GetLoopStart() override { return loopPoints.loopStart; }
  std::uint32_t GetLoopEnd() override { return LoopEndFor(GetLength()); }
  int GetLoopCount() override { return 0; }
  bool IsLong() override { return IsLongPiece(GetLength()); }

 private:
  bool ReadHeader();

  std::FILE* file_ = nullptr;
  std::uint32_t dataOffset_ = 0;
  std::uint32_t dataSize_ = 0;
  std::uint32_t remaining_ = 0;
  PcmWaveFormat format_;
};

}  // namespace sslib2
