// Shared test fixture: a fresh fake backend, a scratch working directory and reset game state.
#include "test_support.h"

#include <iconv.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/app.h"
#include "app/output_paths.h"
#include "app/rega.h"
#include "archive_writer.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

std::string ShiftJisToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  std::string out(text.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(converter, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> LogMessages(const std::filesystem::path& path) {
  std::vector<std::string> messages;
  std::string text = ReadFileBytes(path);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    // "[hh:mm:ss.mmm] " is 15 characters; the banner has no time stamp.
    if (line.size() >= 15 && line[0] == '[' && line[13] == ']') messages.push_back(ShiftJisToUtf8(line.substr(15)));
    start = end + 2;
  }
  return messages;
}

std::vector<unsigned char> SolidBmp(int width, int height, std::uint32_t rgb) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes * height);
  std::vector<unsigned char> file;
  auto put = [&](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(static_cast<unsigned char>(value >> (8 * i)));
  };
  file.push_back('B');
  file.push_back('M');
  put(54 + imageBytes, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(height), 4);
  put(1, 2);
  put(24, 2);
  put(0, 4);
  put(imageBytes, 4);
  put(2835, 4);
  put(2835, 4);
  put(0, 4);
  put(0, 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) put(rgb, 3);
    for (int pad = width * 3; pad < rowBytes; ++pad) file.push_back(0);
  }
  return file;
}

int TestPictureWidth(int id) { return id % 13 + 4; }
int TestPictureHeight(int id) { return id % 7 + 4; }

void WritePictureArchive(const std::filesystem::path& path) {
  // Built once; every test writes the same bytes.
  static const std::vector<unsigned char> image = [] {
    std::vector<ArchiveEntry> entries;
    for (int id = 0; id < NUMSURFACES; ++id) {
      entries.push_back({surfaces[id], SolidBmp(TestPictureWidth(id), TestPictureHeight(id), 0x808080)});
    }
    std::vector<unsigned char> bytes;
    std::string error;
    BuildArchive(entries, &bytes, &error);
    return bytes;
  }();
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
}

void WritePictureArchive(const std::filesystem::path& path, const std::vector<PictureSize>& sizes) {
  std::vector<ArchiveEntry> entries;
  for (int id = 0; id < NUMSURFACES; ++id) {
    int width = TestPictureWidth(id), height = TestPictureHeight(id);
    for (const PictureSize& size : sizes) {
      if (size.id != id) continue;
      width = size.width;
      height = size.height;
    }
    entries.push_back({surfaces[id], SolidBmp(width, height, 0x808080)});
  }
  std::vector<unsigned char> bytes;
  std::string error;
  EXPECT_TRUE(BuildArchive(entries, &bytes, &error)) << error;
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

GameTest::GameTest() : previousDirectory_(std::filesystem::current_path()) {
  char pattern[] = "/tmp/sorvani-test-XXXXXX";
  scratch = mkdtemp(pattern);
  std::filesystem::current_path(scratch);
  ResetAppState();
  ResetDebugLog();
  ChooseOutputDirectory();
  ResetScenes();
  ResetPlayScene();
  ReleaseDirect3D();
  ResetInput();
  ResetPictureTable();
  WritePictureArchive(scratch / kPictureArchive);
  // Straight into the game, as with the launcher turned off; the launcher's tests turn it on.
  backend.registry.PutDword(kSettingsKeyPath, "noOpeningDialog", 1);
  ResetSound();
}

GameTest::~GameTest() {
  // The stream's worker and every buffer go before the backend they call.
  ResetSound();
  ReleaseDirect3D();
  // The devices belong to this test's backend, which goes before the next test starts.
  ResetInput();
  std::filesystem::current_path(previousDirectory_);
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}
