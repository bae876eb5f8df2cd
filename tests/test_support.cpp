// Shared test fixture: a fresh fake backend, a scratch working directory and reset game state.
#include "test_support.h"

#include <iconv.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/app.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scenes.h"

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

GameTest::GameTest() : previousDirectory_(std::filesystem::current_path()) {
  char pattern[] = "/tmp/sorvani-test-XXXXXX";
  scratch = mkdtemp(pattern);
  std::filesystem::current_path(scratch);
  ResetAppState();
  ResetDebugLog();
  ResetScenes();
  ResetPlayScene();
  ReleaseDirect3D();
  ResetInput();
}

GameTest::~GameTest() {
  ReleaseDirect3D();
  // The devices belong to this test's backend, which goes before the next test starts.
  ResetInput();
  std::filesystem::current_path(previousDirectory_);
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
}
