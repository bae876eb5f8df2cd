// svpack's commands: list, extract and pack data archives, mask and unmask music files.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// One directory entry as stored, with where its payload lies.
struct ArchiveDirectoryEntry {
  std::string name;
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
};

// Reads the signature and the whole directory. False with the reason for a file that is not an
// archive or whose directory is cut short; entries whose payload lies outside the file are
// listed all the same (extracting them fails).
bool ReadArchiveDirectory(const std::vector<unsigned char>& image, std::vector<ArchiveDirectoryEntry>* entries,
                          std::string* error);

// The file svpack extract writes beside the pictures and svpack pack reads to keep the
// directory order: one entry name per line.
constexpr const char* kManifestName = "svpack.manifest";

// The music files' one-byte mask.
constexpr unsigned char kMusicMask = 0xB6;

// Runs one command line (argv[0] is the program). Output goes to out, complaints to err.
// 0 on success, 1 when the command failed, 2 for a command line svpack does not understand.
int RunSvpack(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
