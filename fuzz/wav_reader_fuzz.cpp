// Arbitrary bytes as a masked ".m" music file: the open fails cleanly or the reader keeps to
// the file while it reads, seeks and reads to the end.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sound/sslib2/plain_wav_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/sorvani-wav-fuzz-" + std::to_string(getpid()) + ".m";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  sslib2::CPlainWavFileReader reader;
  if (!reader.Open(path.c_str())) return 0;
  unsigned char segment[4096];
  std::uint32_t got = 0;
  std::uint64_t total = 0;
  while (reader.Read(segment, sizeof segment, &got) && got > 0) {
    total += got;
    if (total > size) std::abort();  // more samples than the file holds
  }
  reader.Seek(reader.GetLength() / 2);
  reader.Read(segment, sizeof segment, &got);
  reader.Close();
  return 0;
}
