// The settings file: keys and typed values in the registry export text format, read as far as
// it is valid. Lines it cannot read are kept word for word, so saving never loses them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::sdl {

constexpr const char* kRegFileHeader = "Windows Registry Editor Version 5.00";
constexpr const char* kRegFileRoot = "HKEY_CURRENT_USER\\";

struct RegValue {
  std::uint32_t type = 0;
  std::vector<unsigned char> bytes;
};

class RegFile {
 public:
  // Replaces the contents with the parsed text; every line that is not understood is kept as
  // it stands and described in problems ("line 7: ...").
  void Parse(const std::string& text, std::vector<std::string>* problems);
  std::string Serialize() const;

  // Key paths are relative to the current user's root; names and paths ignore letter case.
  bool HasKey(const std::string& path) const;
  void AddKey(const std::string& path);
  const RegValue* Find(const std::string& path, const std::string& name) const;
  void Set(const std::string& path, const std::string& name, const RegValue& value);

 private:
  struct Line {
    std::string raw;   // the text as read (continuations joined back with their breaks)
    bool isValue = false;
    std::string name;
    RegValue value;
  };
  struct Section {
    std::string path;  // empty for the lines before the first key
    std::vector<Line> lines;
  };
  Section* FindSection(const std::string& path);
  const Section* FindSection(const std::string& path) const;

  std::vector<Section> sections_;
};

// One value as a line of the file: "name"="text", "name"=dword:..., "name"=hex(N):...
std::string FormatRegValue(const std::string& name, const RegValue& value);

}  // namespace platform::sdl
