// REGA: the one way to the settings key. Owns one open key handle, refuses every operation
// without it, and warns in a box when it is misused.
#include "app/rega.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/debug_log.h"
#include "platform/backend.h"

namespace {

constexpr const char* kGuardCaption = "Registory Class";
constexpr const char* kGuardTail =
    "このメッセージが表示されたら、現在編集している/していたダイアログの名前を、メッセージの内容と共に正確に作者まで報告して下さい。";

void Warn(const char* first) {
  std::string text = std::string(first) + "\n" + kGuardTail;
  platform::Boxes().MessageBox(platform::kNoWindow, text.c_str(), kGuardCaption, platform::MB_ICONWARNING);
}

// '+', '-' or a digit first, digits only after it: "1", "+1", "-" and "+" count, "1a" does not.
bool IsDecimalText(const char* text) {
  if (!(*text == '+' || *text == '-' || (*text >= '0' && *text <= '9'))) return false;
  for (const char* p = text + 1; *p; ++p)
    if (*p < '0' || *p > '9') return false;
  return true;
}

std::int32_t LittleEndianInt32(const unsigned char* data, std::uint32_t size) {
  // Values stored shorter than four bytes count as if padded with zero bytes.
  std::uint32_t value = 0;
  for (std::uint32_t i = 0; i < 4 && i < size; ++i) value |= std::uint32_t(data[i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

}  // namespace

REGA::~REGA() {
  if (key_ == platform::kNoKey) return;
  CloseKey();
  Warn("レジストリを自動クローズしました。");
}

bool REGA::OpenKey() {
  if (key_ != platform::kNoKey) {
    CloseKey();
    Warn("レジストリキーを多重オープンしようとしたので保護しました(REGA::OpenKey())。");
  }
  platform::Registry& registry = platform::Settings();
  platform::RegistryKey opened = platform::kNoKey;
  if (registry.OpenKey(kSettingsKeyPath, &opened) != platform::ERROR_SUCCESS &&
      registry.CreateKey(kSettingsKeyPath, &opened) != platform::ERROR_SUCCESS)
    opened = platform::kNoKey;
  key_ = opened;
  std::string problem;
  while (registry.TakeProblem(&problem)) WriteDebugLog(("設定ファイルの問題：" + problem).c_str());
  return key_ != platform::kNoKey;
}

bool REGA::CloseKey() {
  if (key_ == platform::kNoKey) {
    Warn("レジストリを多重クローズしようとしたので保護しました(REGA::CloseKey)。");
    return false;
  }
  platform::LSTATUS status = platform::Settings().CloseKey(key_);
  key_ = platform::kNoKey;
  return status == platform::ERROR_SUCCESS;
}

std::int32_t REGA::ValueExistA(const char* name) {
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に ValueExistA が行われようとしたので保護します。");
    return -1;
  }
  std::uint32_t type = 0, size = 0;
  if (platform::Settings().QueryValue(key_, name, &type, nullptr, &size) != platform::ERROR_SUCCESS) return -1;
  return static_cast<std::int32_t>(size);
}

bool REGA::ReadStringA(const char* name, void* buffer, std::uint32_t bufferSize) {
  if (!name || !buffer) return false;
  static_cast<unsigned char*>(buffer)[0] = 0;
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に ReadStringA が行われようとしたので保護します。");
    return false;
  }
  std::uint32_t type = 0, size = bufferSize;
  return platform::Settings().QueryValue(key_, name, &type, buffer, &size) == platform::ERROR_SUCCESS;
}

std::int32_t REGA::ReadIntegerA(const char* name, std::int32_t defaultValue) {
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に ReadIntegerA が行われようとしたので保護します。");
    return defaultValue;
  }
  platform::Registry& registry = platform::Settings();
  std::uint32_t type = 0, size = 0;
  if (registry.QueryValue(key_, name, &type, nullptr, &size) != platform::ERROR_SUCCESS) return defaultValue;
  // One spare zero byte, so stored text always ends in a terminator.
  std::vector<unsigned char> data(static_cast<std::size_t>(size) + 1, 0);
  std::uint32_t read = size;
  if (registry.QueryValue(key_, name, &type, data.data(), &read) != platform::ERROR_SUCCESS) return defaultValue;
  return ConvertStoredInteger(type, data.data(), read, defaultValue);
}

std::int32_t ConvertStoredInteger(std::uint32_t type, const unsigned char* data, std::uint32_t size,
                                  std::int32_t defaultValue) {
  switch (type) {
    case platform::REG_SZ:
    case platform::REG_EXPAND_SZ:
    case platform::REG_MULTI_SZ: {
      std::string text(reinterpret_cast<const char*>(data), size);
      text = text.c_str();  // up to the first terminator
      return IsDecimalText(text.c_str()) ? std::atoi(text.c_str()) : defaultValue;
    }
    case platform::REG_DWORD_BIG_ENDIAN: {
      unsigned char reversed[4] = {};
      for (std::uint32_t i = 0; i < 4 && i < size; ++i) reversed[3 - i] = data[i];
      return LittleEndianInt32(reversed, 4);
    }
    case platform::REG_BINARY:
    case platform::REG_DWORD:
    case platform::REG_QWORD:
      return LittleEndianInt32(data, size);
    default:
      return defaultValue;
  }
}

bool REGA::WriteStringA(const char* name, const char* text) {
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に WriteStringA が行われようとしたので保護します。");
    return false;
  }
  platform::Registry& registry = platform::Settings();
  std::uint32_t type = 0, size = 0;
  bool expand = registry.QueryValue(key_, name, &type, nullptr, &size) == platform::ERROR_SUCCESS &&
                type == platform::REG_EXPAND_SZ;
  const char* value = text ? text : "";
  return registry.SetValue(key_, name, expand ? platform::REG_EXPAND_SZ : platform::REG_SZ, value,
                           static_cast<std::uint32_t>(std::strlen(value) + 1)) == platform::ERROR_SUCCESS;
}

bool REGA::WriteIntegerA(const char* name, std::int32_t value) {
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に WriteIntegerA が行われようとしたので保護します。");
    return false;
  }
  auto bits = static_cast<std::uint32_t>(value);
  unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                            static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
  return platform::Settings().SetValue(key_, name, platform::REG_DWORD, bytes, 4) == platform::ERROR_SUCCESS;
}

bool REGA::WriteBinaryA(const char* name, const void* data, std::uint32_t size) {
  if (key_ == platform::kNoKey) {
    Warn("開かれていないキーを対象に WriteBinaryA が行われようとしたので保護します。");
    return false;
  }
  return platform::Settings().SetValue(key_, name, platform::REG_BINARY, data, size) == platform::ERROR_SUCCESS;
}
