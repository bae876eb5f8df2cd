// Reader for the ".mx" music files: masked Ogg Vorbis, decoded to 16-bit PCM with vorbisfile.
#pragma once

#include <vorbis/vorbisfile.h>

#include <cstdio>

#include "sound/sslib2/wave_reader.h"

namespace sslib2 {

class COggFileReader : public CWaveReader {
 public:
  // What vorbisfile's callbacks read from: the file, its base offset and size.
  struct DataSource {
    std::FILE* file = nullptr;
    std::uint32_t base = 0;
    std::uint32_t size = 0;
  };

  COggFileReader() = default;
  ~COggFileReader() override;
  COggFileReader(const COggFileReader&) = delete;
  COggFileReader& operator=(const COggFileReader&) = delete;

  // Refuses while a file is open.
  bool Open(const char* fileName);

  void Close() override;
  bool IsOpen() override { return open_; }
  bool Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) override;
  bool Seek(std::uint32_t frame) override;
  std::uint32_t Tell() override;
  bool IsEnd() override { return end_; }
  void GetFormat(PcmWaveFormat* format) override { *format = format_; }
  std::uint32_t GetLength() override { return length_; }
  std::uint32_t GetLoopStart() override { return loopPoints.loopStart; }
  std::uint32_t GetLoopEnd() override { return LoopEndFor(GetLength()); }
  int GetLoopCount() override { return 0; }
  bool IsLong() override { return IsLongPiece(GetLength()); }

 private:
  DataSource source_;
  OggVorbis_File decoder_{};
  bool open_ = false;
  PcmWaveFormat format_;
  std::uint32_t length_ = 0;
  bool end_ = false;
};

}  // namespace sslib2
