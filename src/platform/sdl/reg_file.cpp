// The settings file: keys and typed values in the registry export text format, read as far as
// it is valid. Lines it cannot read are kept word for word, so saving never loses them.
#include "platform/sdl/reg_file.h"

#include <cctype>
#include <cstdio>

#include "platform/registry.h"

namespace platform::sdl {
namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string Trim(const std::string& text) {
  std::size_t start = text.find_first_not_of(" \t\r");
  if (start == std::string::npos) return "";
  std::size_t end = text.find_last_not_of(" \t\r");
  return text.substr(start, end - start + 1);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "aa,bb,cc" (spaces and continuation breaks already removed) into bytes.
bool ParseHexBytes(const std::string& text, std::vector<unsigned char>* out) {
  out->clear();
  if (text.empty()) return true;
  std::size_t i = 0;
  for (;;) {
    if (i + 2 > text.size()) return false;
    int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    out->push_back(static_cast<unsigned char>(high * 16 + low));
    i += 2;
    if (i == text.size()) return true;
    if (text[i] != ',') return false;
    ++i;
  }
}

// A quoted string starting at text[at] == '"'; unescapes \\ and \". Sets at past the quote.
bool ParseQuoted(const std::string& text, std::size_t* at, std::string* out) {
  if (*at >= text.size() || text[*at] != '"') return false;
  out->clear();
  for (std::size_t i = *at + 1; i < text.size(); ++i) {
    if (text[i] == '\\') {
      if (i + 1 >= text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) return false;
      out->push_back(text[++i]);
    } else if (text[i] == '"') {
      *at = i + 1;
      return true;
    } else {
      out->push_back(text[i]);
    }
  }
  return false;
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out + "\"";
}

// Text values are written as text only when they read back to the very same bytes.
bool IsPlainText(const std::vector<unsigned char>& bytes) {
  if (bytes.empty() || bytes.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] < 0x20 || bytes[i] == 0x7F) return false;
  return true;
}

bool ParseValueLine(const std::string& line, std::string* name, RegValue* value) {
  std::size_t at = 0;
  if (line[0] == '@') {
    name->clear();
    at = 1;
  } else if (!ParseQuoted(line, &at, name)) {
    return false;
  }
  if (at >= line.size() || line[at] != '=') return false;
  std::string data = line.substr(at + 1);
  if (!data.empty() && data[0] == '"') {
    std::size_t end = 0;
    std::string text;
    if (!ParseQuoted(data, &end, &text) || end != data.size()) return false;
    value->type = REG_SZ;
    value->bytes.assign(text.begin(), text.end());
    value->bytes.push_back(0);
    return true;
  }
  if (data.compare(0, 6, "dword:") == 0) {
    std::string digits = data.substr(6);
    if (digits.size() != 8) return false;
    std::uint32_t number = 0;
    for (char c : digits) {
      int digit = HexDigit(c);
      if (digit < 0) return false;
      number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    value->type = REG_DWORD;
    value->bytes = {static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                    static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
    return true;
  }
  std::string hexPart;
  if (data.compare(0, 4, "hex:") == 0) {
    value->type = REG_BINARY;
    hexPart = data.substr(4);
  } else if (data.compare(0, 4, "hex(") == 0) {
    std::size_t close = data.find("):");
    if (close == std::string::npos || close == 4 || close > 12) return false;
    std::uint32_t type = 0;
    for (std::size_t i = 4; i < close; ++i) {
      int digit = HexDigit(data[i]);
      if (digit < 0) return false;
      type = type * 16 + static_cast<std::uint32_t>(digit);
    }
    value->type = type;
    hexPart = data.substr(close + 2);
  } else {
    return false;
  }
  std::string compact;
  for (char c : hexPart)
    if (c != ' ' && c != '\t' && c != '\\' && c != '\r' && c != '\n') compact.push_back(c);
  return ParseHexBytes(compact, &value->bytes);
}

}  // namespace

std::string FormatRegValue(const std::string& name, const RegValue& value) {
  std::string line = name.empty() ? "@=" : Quote(name) + "=";
  if (value.type == REG_SZ && IsPlainText(value.bytes))
    return line + Quote(std::string(value.bytes.begin(), value.bytes.end() - 1));
  if (value.type == REG_DWORD && value.bytes.size() == 4) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "dword:%02x%02x%02x%02x", value.bytes[3], value.bytes[2], value.bytes[1],
                  value.bytes[0]);
    return line + digits;
  }
  char prefix[24];
  if (value.type == REG_BINARY)
    std::snprintf(prefix, sizeof prefix, "hex:");
  else
    std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
  line += prefix;
  // Long blocks wrap like exported files do, about 25 bytes a line.
  std::size_t width = line.size();
  for (std::size_t i = 0; i < value.bytes.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, "%02x", value.bytes[i]);
    line += byte;
    width += 2;
    if (i + 1 == value.bytes.size()) break;
    line += ',';
    ++width;
    if (width >= 76) {
      line += "\\\r\n  ";
      width = 2;
    }
  }
  return line;
}

void RegFile::Parse(const std::string& text, std::vector<std::string>* problems) {
  sections_.assign(1, Section{});
  std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a byte-order mark from an editor
  int lineNumber = 0;
  bool sawHeader = false;
  while (start < text.size()) {
    // A logical line runs on while its physical lines end in a backslash.
    std::string raw;
    int firstLine = lineNumber + 1;
    for (;;) {
      std::size_t end = text.find('\n', start);
      std::string physical = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      start = end == std::string::npos ? text.size() : end + 1;
      ++lineNumber;
      if (!physical.empty() && physical.back() == '\r') physical.pop_back();
      raw += physical;
      std::string trimmed = Trim(physical);
      if (trimmed.empty() || trimmed.back() != '\\' || start >= text.size()) break;
      raw += "\r\n";
    }
    Line line;
    line.raw = raw;
    std::string trimmed = Trim(raw);
    if (trimmed.empty() || trimmed[0] == ';') {
      sections_.back().lines.push_back(line);
      continue;
    }
    if (!sawHeader && trimmed == kRegFileHeader) {
      sawHeader = true;
      continue;  // written again by Serialize
    }
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      std::string path = trimmed.substr(1, trimmed.size() - 2);
      std::string root = kRegFileRoot;
      if (path.size() > root.size() && EqualNoCase(path.substr(0, root.size()), root)) {
        sections_.push_back(Section{path.substr(root.size()), {}});
        continue;
      }
      problems->push_back("line " + std::to_string(firstLine) + ": key outside the current user kept as is");
      sections_.push_back(Section{"", {line}});
      continue;
    }
    if (!sections_.back().path.empty() && ParseValueLine(trimmed, &line.name, &line.value)) {
      line.isValue = true;
      sections_.back().lines.push_back(line);
      continue;
    }
    problems->push_back("line " + std::to_string(firstLine) + ": not understood, kept as is: " + trimmed);
    sections_.back().lines.push_back(line);
  }
  if (!sawHeader && !text.empty()) problems->insert(problems->begin(), std::string("no \"") + kRegFileHeader + "\" line");
}

std::string RegFile::Serialize() const {
  std::string out = std::string(kRegFileHeader) + "\r\n";
  for (const auto& section : sections_) {
    if (!section.path.empty()) {
      if (out.size() < 4 || out.compare(out.size() - 4, 4, "\r\n\r\n") != 0) out += "\r\n";
      out += "[" + std::string(kRegFileRoot) + section.path + "]\r\n";
    }
    for (const auto& line : section.lines) out += line.raw + "\r\n";
  }
  return out;
}

RegFile::Section* RegFile::FindSection(const std::string& path) {
  for (auto& section : sections_)
    if (!section.path.empty() && EqualNoCase(section.path, path)) return &section;
  return nullptr;
}

const RegFile::Section* RegFile::FindSection(const std::string& path) const {
  return const_cast<RegFile*>(this)->FindSection(path);
}

bool RegFile::HasKey(const std::string& path) const { return FindSection(path) != nullptr; }

void RegFile::AddKey(const std::string& path) {
  if (path.empty() || HasKey(path)) return;
  if (sections_.empty()) sections_.push_back(Section{});
  sections_.push_back(Section{path, {}});
}

const RegValue* RegFile::Find(const std::string& path, const std::string& name) const {
  const Section* section = FindSection(path);
  if (!section) return nullptr;
  // A later line for the same name wins, as when the file is imported.
  const RegValue* found = nullptr;
  for (const auto& line : section->lines)
    if (line.isValue && EqualNoCase(line.name, name)) found = &line.value;
  return found;
}

void RegFile::Set(const std::string& path, const std::string& name, const RegValue& value) {
  AddKey(path);
  Section* section = FindSection(path);
  Line* existing = nullptr;
  for (auto& line : section->lines)
    if (line.isValue && EqualNoCase(line.name, name)) existing = &line;
  Line replacement;
  replacement.isValue = true;
  replacement.name = existing ? existing->name : name;
  replacement.value = value;
  replacement.raw = FormatRegValue(replacement.name, value);
  if (existing) {
    *existing = replacement;
    return;
  }
  // New values go after the key's last value, before any blank lines that end the section.
  auto at = section->lines.end();
  while (at != section->lines.begin() && Trim((at - 1)->raw).empty()) --at;
  section->lines.insert(at, replacement);
}

}  // namespace platform::sdl
