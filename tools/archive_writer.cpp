// Writes data archives in the game's format, for svpack and the data-pack generator.
#include "archive_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "gfx/archive.h"

namespace {

void PutUint32(std::vector<unsigned char>* out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<unsigned char>(value >> shift));
}

}  // namespace

bool BuildArchive(const std::vector<ArchiveEntry>& entries, std::vector<unsigned char>* image, std::string* error) {
  std::size_t directorySize = 0;
  for (const auto& entry : entries) {
    if (entry.name.empty() || entry.name.size() > 255) {
      *error = "entry name must be 1 to 255 bytes: \"" + entry.name + "\"";
      return false;
    }
    directorySize += 1 + entry.name.size() + 8;
  }
  image->assign(sizeof kArchiveSignature, 0);
  std::memcpy(image->data(), kArchiveSignature, sizeof kArchiveSignature);
  PutUint32(image, static_cast<std::uint32_t>(entries.size()));
  std::uint64_t offset = sizeof kArchiveSignature + 4 + directorySize;
  for (const auto& entry : entries) {
    if (offset + entry.payload.size() > 0xFFFFFFFFu) {
      *error = "archive larger than 4 GiB";
      return false;
    }
    image->push_back(static_cast<unsigned char>(entry.name.size()));
    image->insert(image->end(), entry.name.begin(), entry.name.end());
    PutUint32(image, static_cast<std::uint32_t>(entry.payload.size()));
    PutUint32(image, static_cast<std::uint32_t>(offset));
    offset += entry.payload.size();
  }
  for (const auto& entry : entries) {
    std::size_t start = image->size();
    image->insert(image->end(), entry.payload.begin(), entry.payload.end());
    UnmaskArchivePayload(image->data() + start, static_cast<std::uint32_t>(entry.payload.size()));
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string* error) {
  std::string temporary = path + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    *error = temporary + ": " + std::strerror(errno);
    return false;
  }
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 &&
                 fsync(fileno(file)) == 0;
  int writeErrno = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    writeErrno = errno;
  }
  if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = path + ": " + std::strerror(written ? errno : writeErrno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
