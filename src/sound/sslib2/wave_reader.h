// PCM sources for the sound library: the reader interface, the music file mask and the loop
// points that the music control sets and the readers report.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sslib2 {

// Every byte of a music file (".m" and ".mx") is XORed with this.
constexpr unsigned char kMusicFileMask = 0xB6;
// A piece longer than this many frames (three seconds at 44100 Hz) counts as long.
constexpr std::uint32_t kLongPieceFrames = 132300;

// The 16-byte PCM wave format, laid out as in the file.
struct PcmWaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
};
static_assert(sizeof(PcmWaveFormat) == 16, "the PCM format is 16 bytes in the file");

// Loop points in sample frames; 0 means not set (a loop end of 0 stands for the end).
struct LoopPoints {
  std::uint32_t loopStart = 0;
  std::uint32_t loopEnd = 0;
};
extern LoopPoints loopPoints;

void UnmaskMusicBytes(unsigned char* bytes, std::size_t count);

class CWaveReader {
 public:
  virtual ~CWaveReader() = default;
  virtual void Close() = 0;
  virtual bool IsOpen() = 0;
  // False only when not open; fewer bytes than asked at the end of the data.
  virtual bool Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) = 0;
  virtual bool Seek(std::uint32_t frame) = 0;
  virtual std::uint32_t Tell() = 0;
  virtual bool IsEnd() = 0;
  virtual void GetFormat(PcmWaveFormat* format) = 0;
  virtual std::uint32_t GetLength() = 0;
  virtual std::uint32_t GetLoopStart() = 0;
  virtual std::uint32_t GetLoopEnd() = 0;
  virtual int GetLoopCount() = 0;
  virtual bool IsLong() = 0;
};

// The loop answers both file readers give.
inline std::uint32_t LoopEndFor(std::uint32_t length) { return loopPoints.loopEnd != 0 ? loopPoints.loopEnd : length; }
inline bool IsLongPiece(std::uint32_t length) { return length > kLongPieceFrames; }

}  // namespace sslib2
