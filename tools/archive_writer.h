// Writes data archives in the game's format, for svpack and the data-pack generator.
#pragma once

#include <string>
#include <vector>

struct ArchiveEntry {
  std::string name;                   // 1..255 bytes
  std::vector<unsigned char> payload;  // unmasked
};

// Builds the whole archive image: signature, count, directory, then the masked payloads in
// entry order. False (with the reason) for a name that is empty or too long.
bool BuildArchive(const std::vector<ArchiveEntry>& entries, std::vector<unsigned char>* image, std::string* error);

// Writes the image beside the target and renames it into place, so a failed write never leaves
// a partly written archive behind.
bool WriteFileAtomically(const std::string& path, const std::vector<unsigned char>& bytes, std::string* error);
