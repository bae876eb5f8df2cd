// Arbitrary bytes as a masked ".mx" music file: vorbisfile reads them through our unmasking
// callbacks; the open fails cleanly or the piece decodes, seeks and decodes again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "sound/sslib2/ogg_file_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/sorvani-ogg-fuzz-" + std::to_string(getpid()) + ".mx";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  sslib2::COggFileReader reader;
  if (!reader.Open(path.c_str())) return 0;
  unsigned char segment[8192];
  std::uint32_t got = 0;
  // A bounded read: a tiny file may still claim a long piece.
  for (int i = 0; i < 64 && reader.Read(segment, sizeof segment, &got) && got > 0; ++i) {
  }
  reader.Seek(reader.GetLength() / 2);
  reader.Read(segment, sizeof segment, &got);
  reader.Close();
  return 0;
}
