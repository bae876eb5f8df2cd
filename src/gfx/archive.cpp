// The data archives ("svdata01.dat" pictures, "svdata02.dat" sound effects): a signed directory
// of named entries whose payloads are XOR-masked with one key byte.
#include "gfx/archive.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadExactly(std::FILE* file, void* out, std::size_t bytes) { return std::fread(out, 1, bytes, file) == bytes; }

bool ReadUint32(std::FILE* file, std::uint32_t* out) {
  unsigned char bytes[4];
  if (!ReadExactly(file, bytes, 4)) return false;
  *out = std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
         (std::uint32_t(bytes[3]) << 24);
  return true;
}

long long FileSize(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  long long size = std::ftell(file);
  if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
  return size;
}

}  // namespace

void UnmaskArchivePayload(unsigned char* bytes, std::uint32_t size) {
  // Four bytes at a time with the key in every byte, then the 0-3 left over.
  constexpr std::uint32_t wideKey = kArchiveKey * 0x01010101u;
  std::uint32_t i = 0;
  for (; i + 4 <= size; i += 4) {
    std::uint32_t word;
    std::memcpy(&word, bytes + i, 4);
    word ^= wideKey;
    std::memcpy(bytes + i, &word, 4);
  }
  for (; i < size; ++i) bytes[i] ^= kArchiveKey;
}

bool ReadArchiveEntry(const char* archiveName, const char* resourceName, std::unique_ptr<unsigned char[]>* payload,
                      std::uint32_t* size) {
  if (!archiveName || !resourceName || !payload || !size) return false;
  File file(std::fopen(archiveName, "rb"));
  if (!file) return false;
  long long fileSize = FileSize(file.get());

  char signature[sizeof kArchiveSignature];
  if (!ReadExactly(file.get(), signature, sizeof signature) ||
      std::memcmp(signature, kArchiveSignature, sizeof signature) != 0)
    return false;
  std::uint32_t count = 0;
  if (!ReadUint32(file.get(), &count)) return false;

  for (std::uint32_t entry = 0; entry < count; ++entry) {
    unsigned char nameLength = 0;
    char name[256] = {};
    std::uint32_t payloadSize = 0, payloadOffset = 0;
    if (!ReadExactly(file.get(), &nameLength, 1) || nameLength == 0 ||
        !ReadExactly(file.get(), name, nameLength) || !ReadUint32(file.get(), &payloadSize) ||
        !ReadUint32(file.get(), &payloadOffset))
      return false;
    if (std::strcmp(name, resourceName) != 0) continue;

    // The directory is not trusted: a payload must lie inside the file, so a damaged archive
    // cannot make us allocate more than the file holds.
    if (payloadSize == 0 || fileSize < 0 ||
        static_cast<long long>(payloadOffset) + static_cast<long long>(payloadSize) > fileSize)
      return false;
    if (std::fseek(file.get(), static_cast<long>(payloadOffset), SEEK_SET) != 0) return false;
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[payloadSize]);
    if (!bytes || !ReadExactly(file.get(), bytes.get(), payloadSize)) return false;
    UnmaskArchivePayload(bytes.get(), payloadSize);
    *payload = std::move(bytes);
    *size = payloadSize;
    return true;
  }
  return false;
}
