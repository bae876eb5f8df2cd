// Finding the data files beside the program whatever case their names arrived in.
#include "app/data_files.h"

#include <filesystem>

namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Byte-wise, so Shift-JIS or UTF-8 names are compared as they are.
bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string FindDataFile(const char* name) {
  if (!name || !*name) return name ? name : "";
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path wanted(name);
  if (fs::exists(wanted, error)) return name;
  const std::string wantedName = wanted.filename().string();
  const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
  std::string best;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    std::error_code unreadable;
    if (entry->is_directory(unreadable)) continue;
    const std::string candidate = entry->path().filename().string();
    if (SameIgnoringCase(candidate, wantedName) && (best.empty() || candidate < best)) best = candidate;
  }
  if (best.empty()) return name;
  return wanted.has_parent_path() ? (folder / best).string() : best;
}
