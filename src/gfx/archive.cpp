// The data archives ("svdata01.dat" pictures, "svdata02.dat" sound effects): a signed directory
// of named entries whose payloads are XOR-masked with one key byte.
#include "gfx/archive.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "app/data_files.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadExactly(std::FILE* file, void* out, std::size_t bytes) { return std::fread(out, 1, bytes, file) == bytes; }

std::uint32_t Uint32At(const unsigned char* bytes) {
  return std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
         (std::uint32_t(bytes[3]) << 24);
}

// The directory walked in place through a window of the file: a set switch looks up hundreds of
// entries and each lookup walks the directory from its start, so one stdio call per field and a
// copy of every name would cost more than the pictures' own reading.
class DirectoryWindow {
 public:
  explicit DirectoryWindow(std::FILE* file) : file_(file) {}

  // Makes the next `bytes` (at most one directory record) readable at Next(); false when the
  // file ends first.
  bool Need(std::size_t bytes) {
    if (held_ - at_ >= bytes) return true;
    std::memmove(window_, window_ + at_, held_ - at_);
    held_ -= at_;
    at_ = 0;
    held_ += std::fread(window_ + held_, 1, sizeof window_ - held_, file_);
    return held_ >= bytes;
  }
  const unsigned char* Next() const { return window_ + at_; }
  void Skip(std::size_t bytes) { at_ += bytes; }

 private:
  std::FILE* file_;
  unsigned char window_[16384];
  std::size_t held_ = 0, at_ = 0;
};

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
  // Only a miss pays for the folder search: a set switch reads hundreds of entries.
  if (!file) file.reset(std::fopen(FindDataFile(archiveName).c_str(), "rb"));
  if (!file) return false;
  // The window and the payload are read whole, so stdio's own buffer would only add system calls.
  std::setvbuf(file.get(), nullptr, _IONBF, 0);
  long long fileSize = FileSize(file.get());

  DirectoryWindow directory(file.get());
  constexpr std::size_t kHeaderSize = sizeof kArchiveSignature + 4;
  if (!directory.Need(kHeaderSize) || std::memcmp(directory.Next(), kArchiveSignature, sizeof kArchiveSignature) != 0)
    return false;
  const std::uint32_t count = Uint32At(directory.Next() + sizeof kArchiveSignature);
  directory.Skip(kHeaderSize);

  const std::size_t wantedLength = std::strlen(resourceName);
  for (std::uint32_t entry = 0; entry < count; ++entry) {
    if (!directory.Need(1)) return false;
    const std::size_t nameLength = *directory.Next();
    if (nameLength == 0 || !directory.Need(1 + nameLength + 8)) return false;
    const unsigned char* record = directory.Next();
    const char* name = reinterpret_cast<const char*>(record + 1);
    const std::uint32_t payloadSize = Uint32At(record + 1 + nameLength);
    const std::uint32_t payloadOffset = Uint32At(record + 5 + nameLength);
    directory.Skip(9 + nameLength);
    // Names compare as C strings: a stored name holding a zero byte ends there.
    if (strnlen(name, nameLength) != wantedLength || std::memcmp(name, resourceName, wantedLength) != 0) continue;

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
