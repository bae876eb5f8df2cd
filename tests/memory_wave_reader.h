// A wave reader over bytes in memory, so stream tests choose any format, length and end.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "sound/sslib2/wave_reader.h"

class MemoryWaveReader : public sslib2::CWaveReader {
 public:
  MemoryWaveReader(std::vector<unsigned char> samples, std::uint16_t channels, std::uint16_t bits,
                   std::uint32_t rate = 44100)
      : samples_(std::move(samples)) {
    format_.formatTag = 1;
    format_.channels = channels;
    format_.bitsPerSample = bits;
    format_.samplesPerSec = rate;
    format_.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format_.avgBytesPerSec = rate * format_.blockAlign;
  }
  void Close() override { open_ = false; }
  bool IsOpen() override { return open_; }
  bool Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) override {
    *bytesRead = 0;
    if (!open_) return false;
    std::size_t n = std::min<std::size_t>(bytes, samples_.size() - position_);
    std::memcpy(destination, samples_.data() + position_, n);
    position_ += n;
    *bytesRead = static_cast<std::uint32_t>(n);
    return true;
  }
  bool Seek(std::uint32_t frame) override {
    std::size_t at = static_cast<std::size_t>(frame) * format_.blockAlign;
    if (!open_ || at > samples_.size()) return false;
    position_ = at;
    return true;
  }
  std::uint32_t Tell() override { return static_cast<std::uint32_t>(position_ / format_.blockAlign); }
  bool IsEnd() override { return open_ && position_ == samples_.size(); }
  void GetFormat(sslib2::PcmWaveFormat* format) override { *format = format_; }
  std::uint32_t GetLength() override { return static_cast<std::uint32_t>(samples_.size() / format_.blockAlign); }
  std::uint32_t GetLoopStart() override { return sslib2::loopPoints.loopStart; }
  std::uint32_t GetLoopEnd() override { return sslib2::LoopEndFor(GetLength()); }
  int GetLoopCount() override { return 0; }
  bool IsLong() override { return sslib2::IsLongPiece(GetLength()); }

 private:
  std::vector<unsigned char> samples_;
  sslib2::PcmWaveFormat format_;
  std::size_t position_ = 0;
  bool open_ = true;
};
