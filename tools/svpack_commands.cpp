// svpack's commands: list, extract and pack data archives, mask and unmask music files.
#include "svpack_commands.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "archive_writer.h"
#include "gfx/archive.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUsage =
    "usage: svpack list ARCHIVE\n"
    "       svpack extract ARCHIVE DIR\n"
    "       svpack pack DIR ARCHIVE      (entry order from DIR/svpack.manifest, else by name)\n"
    "       svpack mask IN OUT           (mask a music file)\n"
    "       svpack unmask IN OUT         (unmask a music file)\n";

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>* bytes, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = path + ": " + std::strerror(errno);
    return false;
  }
  bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad()) {
    *error = path + ": read error";
    return false;
  }
  return true;
}

std::uint32_t Uint32At(const std::vector<unsigned char>& image, std::size_t at) {
  return std::uint32_t(image[at]) | std::uint32_t(image[at + 1]) << 8 | std::uint32_t(image[at + 2]) << 16 |
         std::uint32_t(image[at + 3]) << 24;
}

bool InsideFile(const ArchiveDirectoryEntry& entry, std::size_t fileSize) {
  return std::uint64_t(entry.offset) + entry.size <= fileSize;
}

// A name that can only ever be one file inside the target folder.
bool SafeFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name != kManifestName &&
         name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

int List(const std::string& archive, std::ostream& out, std::ostream& err) {
  std::vector<unsigned char> image;
  std::vector<ArchiveDirectoryEntry> entries;
  std::string error;
  if (!ReadWholeFile(archive, &image, &error) || !ReadArchiveDirectory(image, &entries, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  int damaged = 0;
  for (const ArchiveDirectoryEntry& entry : entries) {
    out << entry.size << "\t" << entry.offset << "\t" << entry.name;
    if (!InsideFile(entry, image.size())) {
      out << "\t(outside the file)";
      ++damaged;
    }
    out << "\n";
  }
  out << entries.size() << " entries\n";
  if (damaged == 0) return 0;
  err << "svpack: " << archive << ": " << damaged << " entries lie outside the file\n";
  return 1;
}

int Extract(const std::string& archive, const std::string& directory, std::ostream& out, std::ostream& err) {
  std::vector<unsigned char> image;
  std::vector<ArchiveDirectoryEntry> entries;
  std::string error;
  if (!ReadWholeFile(archive, &image, &error) || !ReadArchiveDirectory(image, &entries, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  // Everything is checked before anything is written.
  std::set<std::string> seen;
  for (const ArchiveDirectoryEntry& entry : entries) {
    if (!SafeFileName(entry.name)) {
      err << "svpack: " << archive << ": entry name \"" << entry.name << "\" cannot be a file name\n";
      return 1;
    }
    if (!InsideFile(entry, image.size())) {
      err << "svpack: " << archive << ": entry " << entry.name << " lies outside the file\n";
      return 1;
    }
  }
  std::error_code failed;
  fs::create_directories(directory, failed);
  if (failed) {
    err << "svpack: " << directory << ": " << failed.message() << "\n";
    return 1;
  }
  std::string manifest;
  for (const ArchiveDirectoryEntry& entry : entries) {
    // The game reads the first of two equal names; a later one is unreachable.
    if (!seen.insert(entry.name).second) {
      err << "svpack: warning: " << entry.name << " appears again at offset " << entry.offset
          << "; only the first is extracted\n";
      continue;
    }
    std::vector<unsigned char> payload(image.begin() + entry.offset, image.begin() + entry.offset + entry.size);
    UnmaskArchivePayload(payload.data(), entry.size);
    if (!WriteFileAtomically((fs::path(directory) / entry.name).string(), payload, &error)) {
      err << "svpack: " << error << "\n";
      return 1;
    }
    manifest += entry.name + "\n";
  }
  if (!WriteFileAtomically((fs::path(directory) / kManifestName).string(),
                           std::vector<unsigned char>(manifest.begin(), manifest.end()), &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  out << seen.size() << " entries extracted to " << directory << "\n";
  return 0;
}

// The names to pack in order: the manifest's, or every file in the folder by name.
bool EntryNames(const fs::path& directory, std::vector<std::string>* names, std::string* error) {
  std::error_code failed;
  if (!fs::is_directory(directory, failed)) {
    *error = directory.string() + ": not a folder";
    return false;
  }
  const fs::path manifestPath = directory / kManifestName;
  if (fs::exists(manifestPath, failed)) {
    std::ifstream manifest(manifestPath);
    std::set<std::string> seen;
    std::string line;
    int number = 0;
    while (std::getline(manifest, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      if (!SafeFileName(line) || !seen.insert(line).second) {
        *error = manifestPath.string() + ":" + std::to_string(number) + ": \"" + line + "\" " +
                 (SafeFileName(line) ? "is listed twice" : "cannot be a file name");
        return false;
      }
      names->push_back(line);
    }
    return true;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, failed)) {
    if (entry.is_regular_file() && entry.path().filename() != kManifestName) {
      names->push_back(entry.path().filename().string());
    }
  }
  if (failed) {
    *error = directory.string() + ": " + failed.message();
    return false;
  }
  std::sort(names->begin(), names->end());
  return true;
}

int Pack(const std::string& directory, const std::string& archive, std::ostream& out, std::ostream& err) {
  std::vector<std::string> names;
  std::string error;
  if (!EntryNames(directory, &names, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  std::vector<ArchiveEntry> entries;
  for (const std::string& name : names) {
    ArchiveEntry entry{name, {}};
    if (!ReadWholeFile((fs::path(directory) / name).string(), &entry.payload, &error)) {
      err << "svpack: " << error << "\n";
      return 1;
    }
    // The game cannot read an empty entry.
    if (entry.payload.empty()) {
      err << "svpack: " << (fs::path(directory) / name).string() << ": empty file\n";
      return 1;
    }
    entries.push_back(std::move(entry));
  }
  std::vector<unsigned char> image;
  if (!BuildArchive(entries, &image, &error) || !WriteFileAtomically(archive, image, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  out << entries.size() << " entries packed into " << archive << "\n";
  return 0;
}

int Mask(const std::string& input, const std::string& output, std::ostream& err) {
  std::vector<unsigned char> bytes;
  std::string error;
  if (!ReadWholeFile(input, &bytes, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  for (unsigned char& byte : bytes) byte ^= kMusicMask;
  if (!WriteFileAtomically(output, bytes, &error)) {
    err << "svpack: " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

bool ReadArchiveDirectory(const std::vector<unsigned char>& image, std::vector<ArchiveDirectoryEntry>* entries,
                          std::string* error) {
  entries->clear();
  if (image.size() < sizeof kArchiveSignature || std::memcmp(image.data(), kArchiveSignature, sizeof kArchiveSignature)) {
    *error = "not a data archive (signature differs)";
    return false;
  }
  std::size_t at = sizeof kArchiveSignature;
  if (image.size() < at + 4) {
    *error = "archive cut short before its entry count";
    return false;
  }
  const std::uint32_t count = Uint32At(image, at);
  at += 4;
  for (std::uint32_t index = 0; index < count; ++index) {
    const std::size_t length = at < image.size() ? image[at] : 0;
    if (length == 0 || at + 1 + length + 8 > image.size()) {
      *error = "directory cut short or damaged at entry " + std::to_string(index) + " of " + std::to_string(count);
      return false;
    }
    ArchiveDirectoryEntry entry;
    entry.name.assign(reinterpret_cast<const char*>(image.data() + at + 1), length);
    entry.size = Uint32At(image, at + 1 + length);
    entry.offset = Uint32At(image, at + 5 + length);
    entries->push_back(std::move(entry));
    at += 1 + length + 8;
  }
  return true;
}

int RunSvpack(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  const std::string command = argc >= 2 ? argv[1] : "";
  if (command == "list" && argc == 3) return List(argv[2], out, err);
  if (command == "extract" && argc == 4) return Extract(argv[2], argv[3], out, err);
  if (command == "pack" && argc == 4) return Pack(argv[2], argv[3], out, err);
  if ((command == "mask" || command == "unmask") && argc == 4) return Mask(argv[2], argv[3], err);
  err << kUsage;
  return 2;
}
